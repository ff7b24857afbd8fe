#!/usr/bin/env bash
# The Windows build, made on Debian 12 by cross-compiling with MinGW-w64:
#  1. installs what is missing (MinGW-w64, Wine, NSIS, nasm, icoutils, the
#     Debian sources of Qt and libjpeg-turbo);
#  2. builds Qt and libjpeg-turbo for Windows once, into a cache outside the
#     tree (FORMULAR_WINDOWS_CACHE, ~/.cache/formular-windows by default),
#     and reuses them while their versions, options and patch are unchanged;
#  3. cross-builds the program and its tests into build-windows/
#     (FORMULAR_WINDOWS_BUILD_DIR);
#  4. runs every test under Wine (tools/wine-test.sh), in Wine prefixes made
#     afresh for this run;
#  5. makes the installer build-windows/formular-<version>-win64.exe and
#     checks it under Wine (tools/windows-installer-test.sh); makes an older
#     installer from the same build folder (version 1.1, with a file the
#     current one lacks) and checks the update from it
#     (tools/windows-update-test.sh); then uses the installed program beside
#     the Linux one (tools/windows-program-test.sh; screenshots in
#     build-windows/screenshots).
# With a code-signing certificate (FORMULAR_SIGN_PKCS12 and the other
# variables in tools/windows-sign.sh), formular.exe and the installer are
# signed with Authenticode: the certificate is checked before anything is
# built, the program when CPack has staged it (cmake/WindowsSign.cmake), the
# installer after CPack. Without one, both stay unsigned, and it says so.
# `tools/windows.sh libraries` stops after step 2. Exits non-zero when a test
# or a check of the installer failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${FORMULAR_WINDOWS_CACHE:-$HOME/.cache/formular-windows}"
build="${FORMULAR_WINDOWS_BUILD_DIR:-$root/build-windows}"
prefix="$cache/mingw"
toolchain="$root/cmake/mingw-w64.cmake"
qt_patch="$root/packaging/windows/qtbase-directwrite-needs-direct2d.patch"

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

seconds() {
    date +%s
}

# Debian's sources come from deb-src entries; where there are none, the
# Debian entries already in use are repeated as deb-src.
enable_deb_src() {
    local lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
    if grep -Eqs '^[[:space:]]*deb-src[[:space:]]|^Types:.*deb-src' "${lists[@]}"; then
        return 1
    fi
    echo "Enabling Debian's source packages (deb-src)"
    local sources
    sources="$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
        /(^|\n)Types:[^\n]*deb([ \n]|$)/ && /(^|\n)URIs:[^\n]*debian/ {
            sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
        }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)"
    if [ -n "$sources" ]; then
        printf '%s\n' "$sources" | $sudo tee /etc/apt/sources.list.d/formular-deb-src.sources >/dev/null
    fi
    local list
    list="$(sed -En 's/^[[:space:]]*deb([[:space:]].*debian.*)$/deb-src\1/p' \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)"
    if [ -n "$list" ]; then
        printf '%s\n' "$list" | $sudo tee /etc/apt/sources.list.d/formular-deb-src.list >/dev/null
    fi
}

install_packages() {
    "$root/tools/setup.sh" ninja-build dpkg-dev patch g++-mingw-w64-x86-64-posix nasm wine wine64 nsis icoutils xvfb xauth \
        openssl osslsigncode
    if enable_deb_src; then
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    fi
}

# The Debian version of an installed package, e.g. 6.4.2+dfsg-10.
installed_version() {
    dpkg-query -W -f='${Version}' "$1"
}

# 6.4.2+dfsg-10 -> 6.4.2+dfsg, 1:2.1.5-2 -> 2.1.5: the name of the source
# folder that apt-get source unpacks.
upstream_version() {
    local version="${1#*:}"
    echo "${version%-*}"
}

# Only what the program needs: Core, Gui, Widgets and Test; the windows,
# offscreen and minimal platforms; the Vista style. Zlib, PCRE2, PNG, JPEG,
# FreeType and HarfBuzz are Qt's own copies. Debian's source has no wintab
# header (no tablet events); Qt 6.4.2 wants INPUT_opengl=no to leave OpenGL
# out. Direct2D stays out too, with the patch above.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
)
# libjpeg-turbo with the libjpeg 6.2 interface, as on Debian.
jpeg_options=(
    -DCMAKE_BUILD_TYPE=Release -DENABLE_STATIC=OFF -DENABLE_SHARED=ON
    -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=ON
)

stamp() {
    echo "qt6-base $qt_version"
    echo "libjpeg-turbo $jpeg_version"
    {
        printf '%s\n' "${qt_options[@]}" "${jpeg_options[@]}"
        cat "$toolchain" "$qt_patch"
    } | sha256sum | cut -d' ' -f1
}

# apt-get source PACKAGE=VERSION into FOLDER, once.
fetch_source() {
    local package="$1" version="$2" folder="$3"
    if [ ! -d "$folder" ]; then
        mkdir -p "$cache/src"
        (cd "$cache/src" && apt-get source -q --only-source "$package=$version")
    fi
}

build_libraries() {
    if [ -f "$prefix/formular-stamp" ] && [ "$(cat "$prefix/formular-stamp")" = "$(stamp)" ]; then
        echo "Qt $qt_version and libjpeg-turbo $jpeg_version for Windows: $prefix"
        return
    fi
    rm -rf "$prefix" "$cache/build" "$cache/src"
    mkdir -p "$prefix" "$cache/build" "$cache/logs"

    local qt_source jpeg_source start
    qt_source="$cache/src/qt6-base-$(upstream_version "$qt_version")"
    jpeg_source="$cache/src/libjpeg-turbo-$(upstream_version "$jpeg_version")"
    fetch_source qt6-base "$qt_version" "$qt_source"
    fetch_source libjpeg-turbo "$jpeg_version" "$jpeg_source"
    patch -d "$qt_source" -p1 --forward <"$qt_patch"

    # The toolchain file goes with the libraries: Qt's CMake files name it.
    cp "$toolchain" "$prefix/mingw-w64.cmake"

    start=$(seconds)
    nice -n 19 cmake -S "$jpeg_source" -B "$cache/build/libjpeg-turbo" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        "${jpeg_options[@]}" >"$cache/logs/libjpeg-turbo.log"
    nice -n 19 cmake --build "$cache/build/libjpeg-turbo" --target install >>"$cache/logs/libjpeg-turbo.log"
    echo "libjpeg-turbo $jpeg_version for Windows built in $(($(seconds) - start)) s"

    start=$(seconds)
    echo "Building Qt $qt_version for Windows (about 20 minutes; log: $cache/logs/qtbase.log)"
    nice -n 19 cmake -S "$qt_source" -B "$cache/build/qtbase" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        "${qt_options[@]}" >"$cache/logs/qtbase.log"
    nice -n 19 cmake --build "$cache/build/qtbase" >>"$cache/logs/qtbase.log"
    nice -n 19 cmake --install "$cache/build/qtbase" >>"$cache/logs/qtbase.log"
    echo "Qt $qt_version for Windows built in $(($(seconds) - start)) s"

    stamp >"$prefix/formular-stamp"
    rm -rf "$cache/build" "$cache/src"
}

install_packages
# Qt is built from the same Debian source as the build machine's Qt, whose
# moc, rcc and uic the cross-build uses; libjpeg-turbo from the same source
# as the Linux build's.
qt_version="$(installed_version qt6-base-dev)"
jpeg_version="$(installed_version libjpeg62-turbo-dev)"
build_libraries
[ "${1:-}" = libraries ] && exit 0
# A certificate that is missing, has expired or does not open stops the build
# here, before anything is built or signed.
"$root/tools/windows-sign.sh" check

start=$(seconds)
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DFORMULAR_BENCHMARKS=OFF -DFORMULAR_WARNINGS_AS_ERRORS="${FORMULAR_WARNINGS_AS_ERRORS:-OFF}"
fi
cmake --build "$build" -j"$(nproc)"
echo "Program and tests for Windows built in $(($(seconds) - start)) s"

# Fresh Wine prefixes for this run (tools/wine-test.sh makes them).
start=$(seconds)
rm -rf "$build/wine"
tests=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)") || tests=$?
echo "Tests under Wine ran in $(($(seconds) - start)) s"

rm -f "$build"/formular-*-win64.exe
# A failed signing of the staged program fails CPack; nothing of it stays.
(cd "$build" && cpack -G NSIS) || {
    rm -f "$build"/formular-*-win64.exe
    exit 1
}
installers=("$build"/formular-*-win64.exe)
if [ -n "${FORMULAR_SIGN_PKCS12:-}" ]; then
    # An installer that should be signed and is not goes.
    "$root/tools/windows-sign.sh" "${installers[@]}" || {
        rm -f "${installers[@]}"
        exit 1
    }
else
    echo "Made an unsigned installer (no FORMULAR_SIGN_PKCS12): ${installers[*]}"
fi
installer=0
start=$(seconds)
"$root/tools/windows-installer-test.sh" "$build"/formular-*-win64.exe || installer=$?
echo "Installer checked in $(($(seconds) - start)) s"

# An update: the older installer is this build with another version and a
# file in extra/ that the current one lacks; only formular.exe is rebuilt for
# it (and again after), and the package step builds nothing else. Its
# package goes to update/.
start=$(seconds)
older_version=1.1
updates="$build/update"
rm -rf "$updates"
mkdir -p "$updates"
echo "Only in the older version" >"$updates/older-only.txt"
older_build() {
    cmake "$build" -DFORMULAR_VERSION_OVERRIDE="$older_version" -DFORMULAR_EXTRA_INSTALL_FILE="$updates/older-only.txt" \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null &&
        cmake --build "$build" --target formular >/dev/null &&
        (cd "$build" && cpack -G NSIS -B "$updates" >/dev/null)
}
older_build || installer=$?
cmake "$build" -DFORMULAR_VERSION_OVERRIDE= -DFORMULAR_EXTRA_INSTALL_FILE= -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=OFF >/dev/null
cmake --build "$build" --target formular >/dev/null
echo "Older installer ($older_version) made in $(($(seconds) - start)) s"
start=$(seconds)
"$root/tools/windows-update-test.sh" "$updates/formular-$older_version-win64.exe" "$build"/formular-*-win64.exe \
    "$updates/older-only.txt" || installer=$?
echo "Update checked in $(($(seconds) - start)) s"

# The installed program beside the Linux one: the same document from both.
"$root/tools/build.sh" >/dev/null
"$root/tools/windows-program-test.sh" "$build"/formular-*-win64.exe \
    "${FORMULAR_BUILD_DIR:-$root/build}/src/formular" "$build/screenshots" || installer=$?

[ "$tests" -eq 0 ] || echo "Some tests failed under Wine" >&2
[ "$installer" -eq 0 ] || echo "Some checks of the installer or the installed program failed" >&2
[ "$tests" -eq 0 ] && [ "$installer" -eq 0 ]
