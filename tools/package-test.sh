#!/usr/bin/env bash
# pass only prints, so `check && pass ... || fail ...` reads as if-then-else.
# shellcheck disable=SC2015
# Builds the Debian package (Release with Debian's hardening flags, in
# build-pkg/), checks it with lintian (no error, no warning), unpacks it into a
# fresh folder and checks what a user would get: the changelog, the copyright
# file and the manual pages in Debian's form; formular --help and --version
# answering without a display; the program starting on the offscreen platform
# and keeping running, with Qt's own options left to Qt; the desktop launcher
# starting it in the documents folder; a valid menu entry, AppStream metadata
# and the icons where the theme looks.
# Prints every check and exits non-zero if any of them failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FORMULAR_PACKAGE_BUILD_DIR:-$root/build-pkg}"

"$root/tools/setup.sh" dpkg-dev desktop-file-utils file xdg-utils xdg-user-dirs \
    lintian appstream man-db groff-base

# The compiler and linker flags Debian builds its packages with, every
# hardening feature on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFORMULAR_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
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
maintainer="Vireo Loggers <info@vireologgers.cz>"
[ "$(field Maintainer)" = "$maintainer" ] && pass "Maintainer: $maintainer" || fail "Maintainer is '$(field Maintainer)'"
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

# --- lintian: informational (I:) and pedantic (P:) notes are shown, errors
# (E:) and warnings (W:) fail
lintian --tag-display-limit 0 --display-info --pedantic "$deb" >"$work/lintian" 2>"$work/lintian.err" \
    && lintian_status=0 || lintian_status=$?
# The one notice lintian gives about itself when run as root.
grep -v '^running with root privileges is not recommended!$' "$work/lintian.err" >>"$work/lintian" || true
sed 's/^/     | /' "$work/lintian"
if grep -Eq '^[EW]: ' "$work/lintian"; then
    fail "lintian: $(grep -Ec '^E: ' "$work/lintian") errors, $(grep -Ec '^W: ' "$work/lintian") warnings"
elif [ "$lintian_status" -ne 0 ] && ! grep -q '^[IP]: ' "$work/lintian"; then
    fail "lintian exited with status $lintian_status"
else
    pass "lintian: no errors, no warnings"
fi

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

# gzipped_for_debian FILE: gzip data that Debian accepts (gzip -9n): it
# decompresses, the header holds no file name and no time stamp, and it was
# made with the most compression.
gzipped_for_debian() {
    local header
    gzip -t "$1" 2>/dev/null || return 1
    header="$(od -An -tx1 -N10 "$1" | tr -d ' \n')"
    # Bytes: magic 1f 8b, method 08, flags (08 = a name follows), time
    # stamp (4 bytes), extra flags (02 = most compression).
    [ "${header:0:6}" = 1f8b08 ] && [ "${header:6:2}" = 00 ] \
        && [ "${header:8:8}" = 00000000 ] && [ "${header:16:2}" = 02 ]
}

# --- the changelog and the copyright file
doc="$tree/usr/share/doc/formular"
changelog="$doc/changelog.gz"
if [ -f "$changelog" ]; then
    gzipped_for_debian "$changelog" && pass "changelog.gz: gzip -9n" \
        || fail "changelog.gz is not gzip -9n data (name or time stamp inside, or less compression)"
    zcat "$changelog" >"$work/changelog"
    if dpkg-parsechangelog -l "$work/changelog" >"$work/changelog.fields" 2>"$work/changelog.err" \
        && ! grep -q warning "$work/changelog.err"; then
        pass "changelog parses"
    else
        fail "changelog does not parse"
        sed 's/^/     | /' "$work/changelog.err" >&2
    fi
    latest() { sed -n "s/^$1: //p" "$work/changelog.fields"; }
    [ "$(latest Version)" = "$version" ] && pass "changelog: latest entry $version" \
        || fail "changelog: latest entry is '$(latest Version)', the project says '$version'"
    [ "$(latest Maintainer)" = "$maintainer" ] && pass "changelog: signed by the maintainer" \
        || fail "changelog: signed by '$(latest Maintainer)'"
else
    fail "usr/share/doc/formular/changelog.gz missing"
fi
[ ! -e "$doc/changelog.Debian.gz" ] && pass "no changelog.Debian.gz (native package)" \
    || fail "changelog.Debian.gz in a native package"
copyright="$doc/copyright"
if [ -f "$copyright" ]; then
    [ "$(head -n1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] \
        && pass "copyright: machine-readable format" || fail "copyright: first line is not the DEP-5 Format field"
    grep -q '^Files: \*$' "$copyright" && pass "copyright: a Files: * paragraph" || fail "copyright: no Files: * paragraph"
    grep -q '^Copyright: .*Vireo Loggers$' "$copyright" && pass "copyright: Vireo Loggers" \
        || fail "copyright: no Copyright: field naming Vireo Loggers"
    license="$(sed -n 's/^License: //p' "$copyright" | head -n1)"
    if [ -n "$license" ] && [ "$(grep -c "^License: $license\$" "$copyright")" -eq 2 ] \
        && grep -q '^ No licence is granted\.' "$copyright"; then
        pass "copyright: stand-alone License: $license paragraph, no licence granted"
    else
        fail "copyright: no stand-alone License paragraph saying that no licence is granted"
    fi
else
    fail "usr/share/doc/formular/copyright missing"
fi

# --- a manual page for every program, in Debian's form, rendering cleanly
for program in "$bin"/*; do
    name="$(basename "$program")"
    page="$tree/usr/share/man/man1/$name.1.gz"
    if [ ! -f "$page" ]; then
        fail "man page $name(1): usr/share/man/man1/$name.1.gz missing"
        continue
    fi
    gzipped_for_debian "$page" && pass "man page $name(1): gzip -9n" \
        || fail "man page $name(1): not gzip -9n data"
    # How lintian and mandb read it: the whatis line, then man's and
    # groff's warnings.
    if whatis="$(LC_ALL=C.UTF-8 lexgrog "$page")" && grep -q "\"$name - " <<<"$whatis"; then
        pass "man page $name(1): whatis ${whatis#*: }"
    else
        fail "man page $name(1): lexgrog finds no whatis line for $name ($whatis)"
    fi
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" \
        >/dev/null 2>"$work/man.err" || echo "man exited non-zero" >>"$work/man.err"
    zcat "$page" | groff -man -Tutf8 -wall >/dev/null 2>>"$work/man.err" \
        || echo "groff exited non-zero" >>"$work/man.err"
    if [ -s "$work/man.err" ]; then
        fail "man page $name(1): warnings"
        sed 's/^/     | /' "$work/man.err" >&2
    else
        pass "man page $name(1): renders without warnings"
    fi
    th_version="$(zcat "$page" | sed -n 's/^\.TH .* "formular \([^"]*\)".*/\1/p')"
    [ "$th_version" = "$version" ] && pass "man page $name(1): formular $version" \
        || fail "man page $name(1): says version '$th_version', the project says '$version'"
    for option in help version; do
        zcat "$page" | grep -qF -- "\\-\\-$option" || fail "man page $name(1) does not mention --$option"
    done
done

# --- --help and --version: on standard output, status 0, no display needed
# run_without_display NAME COMMAND...: runs COMMAND with no display of any
# kind and no platform named, at most ten seconds; output in $work/NAME.*.
run_without_display() {
    local name="$1"
    shift
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$@") \
        >"$work/$name.out" 2>"$work/$name.err" </dev/null && status=0 || status=$?
}
for option in --version -v; do
    run_without_display version "$bin/formular" "$option"
    if [ "$status" -eq 0 ] && [ "$(cat "$work/version.out")" = "formular $version" ] && [ ! -s "$work/version.err" ]; then
        pass "formular $option: 'formular $version' on stdout, status 0, no display"
    else
        fail "formular $option: status $status, stdout '$(cat "$work/version.out")'"
        sed 's/^/     | /' "$work/version.err" >&2
    fi
done
for option in --help -h; do
    run_without_display help "$bin/formular" "$option"
    if [ "$status" -eq 0 ] && [ ! -s "$work/help.err" ] \
        && grep -q '^Usage: .*formular \[options\]$' "$work/help.out" \
        && grep -q '^Order form for TQ8 / TQ8R data loggers' "$work/help.out" \
        && grep -q '^ *-h, --help ' "$work/help.out" && grep -q '^ *-v, --version ' "$work/help.out"; then
        pass "formular $option: usage, description and options on stdout, status 0, no display"
    else
        fail "formular $option: status $status"
        sed 's/^/     | /' "$work/help.out" "$work/help.err" >&2
    fi
done
# The same answer through the launcher, and among Qt's own options.
run_without_display launcher-version "$bin/formular-launch" --version
[ "$status" -eq 0 ] && [ "$(cat "$work/launcher-version.out")" = "formular $version" ] \
    && pass "formular-launch --version passes the option on" \
    || fail "formular-launch --version: status $status, stdout '$(cat "$work/launcher-version.out")'"
run_without_display qt-options-version "$bin/formular" -platform offscreen -reverse --version
[ "$status" -eq 0 ] && [ "$(cat "$work/qt-options-version.out")" = "formular $version" ] \
    && pass "formular -platform offscreen -reverse --version: the version" \
    || fail "formular -platform offscreen -reverse --version: status $status"
# Output that cannot be written is an error, not silence.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$bin/formular" --version) \
    >/dev/full 2>"$work/full.err" && status=0 || status=$?
[ "$status" -ne 0 ] && [ -s "$work/full.err" ] && pass "formular --version >/dev/full: status $status and a message" \
    || fail "formular --version >/dev/full: status $status, stderr '$(cat "$work/full.err")'"

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
# Qt's own options and unknown ones are Qt's to take or leave: -reverse has a
# v and -stylesheet an h, neither is -v or -h.
start_and_check qt-options "$work/scratch" "$work/scratch" \
    "$bin/formular" -reverse -style Fusion -stylesheet /dev/null --not-an-option

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

# --- the AppStream metadata software centres read
metainfo_dir="$tree/usr/share/metainfo"
metainfos=("$metainfo_dir"/*.metainfo.xml)
if [ ${#metainfos[@]} -eq 1 ] && [ -f "${metainfos[0]}" ]; then
    metainfo="${metainfos[0]}"
    component="$(basename "$metainfo" .metainfo.xml)"
    if appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream" 2>&1; then
        pass "appstreamcli validate --pedantic $(basename "$metainfo")"
    else
        fail "appstreamcli validate --pedantic $(basename "$metainfo")"
    fi
    sed 's/^/     | /' "$work/appstream"
    # With the menu entry and the icons beside it, as installed.
    if appstreamcli validate-tree --no-net --pedantic "$tree" >"$work/appstream-tree" 2>&1; then
        pass "appstreamcli validate-tree --pedantic"
    else
        fail "appstreamcli validate-tree --pedantic"
    fi
    sed 's/^/     | /' "$work/appstream-tree"
    tag() { grep -o "<$1>[^<]*</$1>" "$metainfo" | sed 's/<[^>]*>//g'; }
    [ "$(tag id)" = "$component" ] && pass "metainfo: id $component, the file's name" \
        || fail "metainfo: id '$(tag id)' in $component.metainfo.xml"
    grep -Eq '^[a-z]+\.[a-z0-9]+\.[a-z0-9_]+$' <<<"$component" && pass "metainfo: reverse-DNS id" \
        || fail "metainfo: id $component is not reverse-DNS"
    launchable="$(grep -o '<launchable type="desktop-id">[^<]*<' "$metainfo" | sed 's/.*>\(.*\)</\1/')"
    [ -n "$launchable" ] && [ -f "$tree/usr/share/applications/$launchable" ] \
        && pass "metainfo: launchable $launchable is installed" || fail "metainfo: launchable '$launchable' not installed"
    release="$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)"
    [ "$release" = "$version" ] && pass "metainfo: latest release $version" \
        || fail "metainfo: latest release '$release', the project says '$version'"
    for element in name summary caption; do
        grep -q "<$element xml:lang=\"cs\">" "$metainfo" && pass "metainfo: $element in Czech" \
            || fail "metainfo: no Czech $element"
    done
    grep -q '<p xml:lang="cs">' "$metainfo" && pass "metainfo: description in Czech" || fail "metainfo: no Czech description"
    for picture in main-cs.png main-en.png document-cs.png; do
        grep -q "<image>https://[^<]*/$picture</image>" "$metainfo" && pass "metainfo: screenshot $picture" \
            || fail "metainfo: no https screenshot $picture"
    done
    grep -q '<content_rating type="oars-1.1"' "$metainfo" && pass "metainfo: OARS content rating" \
        || fail "metainfo: no content rating"
else
    fail "expected one usr/share/metainfo/*.metainfo.xml, found: ${metainfos[*]}"
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
