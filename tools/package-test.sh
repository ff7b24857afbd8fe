#!/usr/bin/env bash
# pass only prints, so `check && pass ... || fail ...` reads as if-then-else.
# shellcheck disable=SC2015
# Builds the Debian package (Release, in build-pkg/), unpacks it into a fresh
# folder and checks what a user would get: the program starts on the offscreen
# platform and keeps running, the desktop launcher starts it in the documents
# folder, the menu entry is valid and the icons are where the theme looks.
# Prints every check and exits non-zero if any of them failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FORMULAR_PACKAGE_BUILD_DIR:-$root/build-pkg}"

"$root/tools/setup.sh" dpkg-dev desktop-file-utils file xdg-utils xdg-user-dirs

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/formular_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/formular_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one formular_*.deb in $build" >&2; exit 1; }
deb="${debs[0]}"

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*" >&2; failures=$((failures + 1)); }

# --- the package's control data
echo "== $(basename "$deb")"
dpkg-deb -I "$deb" >"$work/info"
field() { sed -n "s/^ $1: //p" "$work/info"; }
[ "$(field Package)" = formular ] && pass "Package: formular" || fail "Package is '$(field Package)'"
version="$(sed -n 's/^project(formular VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] && [ "$(field Version)" = "$version" ] && pass "Version: $version" \
    || fail "Version is '$(field Version)', the project says '$version'"
[ "$(field Maintainer)" = "Vireo Loggers" ] && pass "Maintainer: Vireo Loggers" || fail "Maintainer is '$(field Maintainer)'"
depends="$(field Depends)"
echo "     Depends: $depends"
depend_names="$(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/|.*//; s/ //g')"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6 libstdc++6 fonts-liberation qt6-translations-l10n xdg-utils; do
    if grep -Fxq "$needed" <<<"$depend_names"; then
        pass "depends on $needed"
    else
        fail "Depends lacks $needed"
    fi
done
# Every dependency must be a real package: installed here, where the program runs.
for name in $depend_names; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" \
        || fail "dependency $name is not an installed package here"
done

# --- unpack into a fresh folder
tree="$work/root"
dpkg-deb -x "$deb" "$tree"
bin="$tree/usr/bin"
[ -x "$bin/formular" ] && pass "usr/bin/formular" || fail "usr/bin/formular missing"
[ -x "$bin/formular-launch" ] && pass "usr/bin/formular-launch" || fail "usr/bin/formular-launch missing"
if missing_libs="$(ldd "$bin/formular" | grep 'not found')"; then
    fail "libraries not found: $missing_libs"
else
    pass "every library of formular resolves"
fi

export QT_QPA_PLATFORM=offscreen
unset LC_ALL
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Notices Qt prints on the offscreen platform that say nothing about the program.
harmless='QStandardPaths: XDG_RUNTIME_DIR|propagateSizeHints|This plugin does not support'

# start_and_check NAME START_FOLDER EXPECTED_FOLDER COMMAND...: starts COMMAND
# in START_FOLDER, checks it is still running after three seconds, in
# EXPECTED_FOLDER, with a clean stderr, and stops it.
start_and_check() {
    local name="$1" start="$2" expected="$3"
    shift 3
    local log="$work/$name.err"
    (cd "$start" && exec "$@") >"$work/$name.out" 2>"$log" &
    local pid=$!
    pids+=("$pid")
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        fail "$name: exited within three seconds (status $status)"
        sed 's/^/     | /' "$log" >&2
        return
    fi
    pass "$name: still running after three seconds"
    local folder
    folder="$(readlink "/proc/$pid/cwd")"
    [ "$folder" = "$(readlink -f "$expected")" ] && pass "$name: runs in $expected" \
        || fail "$name: runs in '$folder', expected '$expected'"
    local exe
    exe="$(readlink "/proc/$pid/exe")"
    [ "$exe" = "$bin/formular" ] && pass "$name: the unpacked program runs" || fail "$name: runs '$exe'"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    if grep -Ev "$harmless" "$log" | grep -Eiq 'error|cannot|could not|fail|fatal|abort'; then
        fail "$name: complaints on stderr"
        sed 's/^/     | /' "$log" >&2
    else
        pass "$name: nothing wrong on stderr"
    fi
}

# From a terminal: the current folder, as always.
mkdir "$work/scratch"
start_and_check terminal "$work/scratch" "$work/scratch" "$bin/formular"

# From the desktop: the documents folder the user's XDG settings name ...
home="$work/home"
mkdir -p "$home/.config" "$home/Dokumenty"
# shellcheck disable=SC2016 # $HOME is for xdg-user-dir to expand
echo 'XDG_DOCUMENTS_DIR="$HOME/Dokumenty"' >"$home/.config/user-dirs.dirs"
desktop_env=(env HOME="$home" XDG_CONFIG_HOME="$home/.config")
start_and_check launcher "$work/scratch" "$home/Dokumenty" "${desktop_env[@]}" "$bin/formular-launch"
# ... and the home folder when that folder does not exist.
rmdir "$home/Dokumenty"
start_and_check launcher-fallback "$work/scratch" "$home" "${desktop_env[@]}" "$bin/formular-launch"

# --- the menu entry
entry="$tree/usr/share/applications/formular.desktop"
if [ -f "$entry" ]; then
    if desktop-file-validate "$entry" >"$work/validate" 2>&1; then
        pass "desktop-file-validate formular.desktop"
        [ -s "$work/validate" ] && sed 's/^/     | /' "$work/validate"
    else
        fail "desktop-file-validate formular.desktop"
        sed 's/^/     | /' "$work/validate" >&2
    fi
    key() { sed -n "s/^$1=//p" "$entry"; }
    for k in Name 'Name\[cs\]' Comment 'Comment\[cs\]' Categories; do
        [ -n "$(key "$k")" ] && pass "entry has ${k//\\/}" || fail "entry lacks ${k//\\/}"
    done
    [ "$(key Terminal)" = false ] && pass "Terminal=false" || fail "Terminal is '$(key Terminal)'"
    [ "$(key StartupNotify)" = true ] && pass "StartupNotify=true" || fail "StartupNotify is '$(key StartupNotify)'"
    exec_program="$(key Exec | cut -d' ' -f1)"
    [ -x "$bin/$exec_program" ] && pass "Exec=$exec_program is installed" || fail "Exec names '$exec_program', not in usr/bin"
    icon="$(key Icon)"
else
    fail "usr/share/applications/formular.desktop missing"
    icon=formular
fi

# --- the icons, every size the sources have, under the entry's icon name
hicolor="$tree/usr/share/icons/hicolor"
for source in "$root"/resources/icon/formular-*.png; do
    size="$(basename "$source" .png)"
    size="${size#formular-}"
    png="$hicolor/${size}x${size}/apps/$icon.png"
    if [ -f "$png" ] && file -b "$png" | grep -q "^PNG image data, $size x $size,"; then
        pass "icon ${size}x${size}"
    else
        fail "icon ${size}x${size}: $png missing or not a ${size}x${size} PNG"
    fi
done
[ -f "$hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon"
svg="$hicolor/scalable/apps/$icon.svg"
if [ -f "$svg" ] && file -b "$svg" | grep -q "SVG"; then
    pass "icon scalable (SVG)"
else
    fail "icon scalable: $svg missing or not an SVG"
fi

echo
if [ "$failures" -ne 0 ]; then
    echo "package test: $failures failed" >&2
    exit 1
fi
echo "package test: all checks passed ($(basename "$deb"))"
