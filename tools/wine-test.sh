#!/usr/bin/env bash
# Runs one Windows test program under Wine: ctest's emulator for the Windows
# build (cmake/Windows.cmake sets it).
#   wine-test.sh DLL_FOLDERS PREFIXES PROGRAM [ARGUMENTS...]
# DLL_FOLDERS: the Unix folders of the DLLs the program loads, ':' between.
# PREFIXES: the folder of the Wine prefixes. The first run there sets up a
# template prefix; each run of a test program gets a fresh copy of it, so no
# test sees what another left in the registry. tools/windows.sh removes the
# folder before each of its runs.
#
# Wine passes no QT_* variable on to the program: the window tests get
# "-platform offscreen" as arguments (tests/CMakeLists.txt), and the
# offscreen platform's font folder (QT_QPA_FONTDIR) is set in the prefix's
# user environment. QtTest's plain-text log reaches no pipe
# under Wine, so the log is TAP on standard output. The exit status is the
# program's (the number of failed test functions).
set -euo pipefail
dll_folders="$1"
prefixes="$2"
program="$3"
shift 3

export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono and no Gecko: nothing here needs .NET or the HTML engine.
export WINEDLLOVERRIDES="mscoree,mshtml="
fonts="${FORMULAR_WINE_FONTS:-/usr/share/fonts/truetype/liberation}"

# Z:\ is the Unix root in every Wine prefix.
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

template="$prefixes/template"
mkdir -p "$prefixes"
(
    flock 9
    if [ ! -f "$template/formular-ready" ]; then
        rm -rf "$template"
        WINEPREFIX="$template" wineboot --init >/dev/null 2>&1
        WINEPREFIX="$template" wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /t REG_SZ \
            /d "$(windows_path "$fonts")" /f >/dev/null 2>&1
        WINEPREFIX="$template" wineserver --wait
        touch "$template/formular-ready"
    fi
) 9>"$prefixes/template.lock"

# A copy of the template: its files linked, not copied (Wine never writes a
# file of the prefix in place, it replaces the registry files whole), the
# registry files copied all the same.
prefix="$prefixes/$(basename "$program" .exe)"
rm -rf "$prefix"
cp -al "$template" "$prefix"
for hive in "$prefix"/*.reg; do
    rm "$hive"
    cp "$template/$(basename "$hive")" "$hive"
done

winepath=""
IFS=: read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
    winepath="${winepath:+$winepath;}$(windows_path "$folder")"
done

status=0
WINEPREFIX="$prefix" WINEPATH="$winepath" wine "$program" "$@" -o -,tap || status=$?
# Ends whatever the test left running in its prefix.
WINEPREFIX="$prefix" wineserver --kill >/dev/null 2>&1 || true
exit "$status"
