#!/usr/bin/env bash
# pass only prints, so `check && pass ... || fail ...` reads as if-then-else;
# Windows paths end in backslashes inside single quotes.
# shellcheck disable=SC2015,SC1003
# Checks the Windows installer under Wine, in fresh Wine prefixes, as a user
# would meet it:
#   windows-installer-test.sh build-windows/formular-<version>-win64.exe
# The installer asks for no elevation (its manifest: asInvoker). It installs
# silently (/S) for the current user: into %LOCALAPPDATA%\Programs\Formular,
# with the uninstall key under HKCU and nothing in Program Files or HKLM
# (Wine's user has administrator rights: the per-user default must not
# depend on their absence). The installed folder holds the program with its
# icon and version, every DLL that the program and its plugins import and
# no other, Qt's windows platform and Vista style, Qt's Czech catalogue; the
# program answers --version and keeps running on the windows platform (under
# Xvfb: the Vista style wants a window system even offscreen); the
# Start-menu entry "TQ8 Order Form" in the user's own Start menu starts it
# in the user's Documents folder; Add/Remove programs lists it. Run again at
# the same version it repairs: files rewritten, still one entry. The silent
# uninstall removes all of it and leaves the contact details. A folder
# Formular (or a file of that name) that the installer did not make is left
# as it is: the silent install fails and writes nothing. Then, in another
# fresh prefix, /S /ALLUSERS installs for all users: Program Files, HKLM, the
# common Start menu, and the uninstall removes it again.
# When the build signs (FORMULAR_SIGN_PKCS12), the installer and the
# installed program carry signatures that verify against FORMULAR_SIGN_CAFILE
# (else the system's CA certificates); when it does not, neither is signed.
# Prints every check and exits non-zero if any of them failed.
set -euo pipefail
installer="$(realpath "$1")"
version="$(basename "$installer")"
version="${version#formular-}"
version="${version%-win64.exe}"

work="$(mktemp -d)"
# shellcheck source=tools/wine-checks.sh
source "$(dirname "$0")/wine-checks.sh"

drive="$WINEPREFIX/drive_c"
# The current user's folders, as Windows and as Linux paths.
windows_folder() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
local_data="$(windows_folder LOCALAPPDATA)"
folder_win="$local_data\Programs\Formular"
folder="$(winepath -u "$folder_win")"
menu="$(winepath -u "$(windows_folder APPDATA)")/Microsoft/Windows/Start Menu/Programs/TQ8 Order Form"
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall\Formular'
key="HKCU\\$uninstall"
contact='HKCU\Software\VireoLoggers\Formular'
# How many Add/Remove programs entries name the program, in both hives.
entries() {
    for hive in HKCU HKLM; do
        wine reg query "$hive\Software\Microsoft\Windows\CurrentVersion\Uninstall" /s 2>/dev/null || true
    done | grep -c 'DisplayName.*TQ8 Order Form' || true
}

# RequestExecutionLevel user: the manifest asks for no elevation.
wrestool --extract --raw --type=24 "$installer" 2>/dev/null >"$work/manifest.xml" || true
grep -q 'level="asInvoker"' "$work/manifest.xml" && pass "the installer's manifest asks for no elevation (asInvoker)" ||
    fail "manifest: $(grep -o 'requestedExecutionLevel[^/]*' "$work/manifest.xml" || echo none)"

wine "$installer" /S && pass "silent install" || fail "silent install exited $?"
# The registry is written out when the Wine server ends.
wineserver --wait
[ -f "$folder/formular.exe" ] && pass "formular.exe installed for the user in $folder_win" ||
    fail "no $folder/formular.exe"
[ ! -e "$drive/Program Files/Formular" ] && [ ! -e "$drive/Program Files (x86)/Formular" ] &&
    pass "nothing in Program Files" || fail "a per-user install wrote into Program Files"
wine reg query "HKLM\\$uninstall" >/dev/null 2>&1 && fail "a per-user install wrote HKLM\\$uninstall" ||
    pass "no uninstall key under HKLM"

# Authenticode: when the build signs (FORMULAR_SIGN_PKCS12, tools/windows-sign.sh),
# the installer and the program it put down verify against the CA given
# (FORMULAR_SIGN_CAFILE, else the system's); when it does not, neither
# carries a signature.
verify=(osslsigncode verify)
[ -z "${FORMULAR_SIGN_CAFILE:-}" ] || verify+=(-CAfile "$FORMULAR_SIGN_CAFILE")
for file in "$installer" "$folder/formular.exe"; do
    status=0
    "${verify[@]}" -in "$file" >"$work/verify.txt" 2>&1 || status=$?
    if [ -n "${FORMULAR_SIGN_PKCS12:-}" ]; then
        [ "$status" -eq 0 ] && grep -qx 'Signature verification: ok' "$work/verify.txt" &&
            pass "$(basename "$file") signed: $(grep -E 'Subject:|Issuer :|^Signature verification' "$work/verify.txt" |
                sed 's/^[[:space:]]*//' | sort -u | tr '\n' ' ')" ||
            fail "$(basename "$file") signature: $(grep -E 'rror|^Signature verification|No signature' "$work/verify.txt" | tr '\n' ' ')"
    else
        [ "$status" -ne 0 ] && grep -q 'No signature found' "$work/verify.txt" &&
            pass "$(basename "$file") unsigned, as built" || fail "$(basename "$file") carries a signature"
    fi
done

# The icon and the version information in the program.
resources="$(wrestool --list "$folder/formular.exe" 2>/dev/null || true)"
grep -q -- '--type=14' <<<"$resources" && pass "program icon" || fail "no icon in formular.exe"
strings -e l -n 3 <(wrestool --extract --raw --type=16 "$folder/formular.exe" 2>/dev/null) >"$work/version.txt" || true
grep -qx "$version" "$work/version.txt" && grep -qx "TQ8 Order Form" "$work/version.txt" &&
    pass "version information $version" || fail "version information: $(tr '\n' ' ' <"$work/version.txt")"

# DLLs: each one that an installed program or DLL imports is in the folder
# or is Windows' own (in system32, or an API set the loader resolves); each
# one in the folder is imported by one of them.
mapfile -t binaries < <(find "$folder" -name '*.exe' -o -name '*.dll')
imports="$(for binary in "${binaries[@]}"; do
    x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'
done | sort -fu)"
missing=()
while read -r dll; do
    if [ ! -f "$folder/$dll" ] && [[ ! "${dll,,}" =~ ^(api|ext)-ms-win- ]] &&
        [ -z "$(find "$drive/windows/system32" -maxdepth 1 -iname "$dll")" ]; then
        missing+=("$dll")
    fi
done <<<"$imports"
[ ${#missing[@]} -eq 0 ] && pass "every imported DLL is there" || fail "missing DLLs: ${missing[*]}"
unused=()
for dll in "$folder"/*.dll; do
    grep -qix "$(basename "$dll")" <<<"$imports" || unused+=("$(basename "$dll")")
done
[ ${#unused[@]} -eq 0 ] && pass "no DLL that nothing imports" || fail "DLLs nothing imports: ${unused[*]}"
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_cs.qm qt.conf; do
    [ -f "$folder/$plugin" ] && pass "$plugin" || fail "no $plugin"
done

# The installed program runs.
answer="$(wine "$folder/formular.exe" --version 2>/dev/null | tr -d '\r' || true)"
[ "$answer" = "formular $version" ] && pass "--version: $answer" || fail "--version answered '$answer'"
# Still running after a few seconds: it has started and shown its window.
keeps_running() {
    local status=0
    timeout 8 "$@" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 124 ]
}
keeps_running xvfb-run -a wine "$folder/formular.exe" &&
    pass "runs on the windows platform (Xvfb)" || fail "stopped on the windows platform (Xvfb)"
timeout 30 wineserver --wait || wineserver --kill

# The Start-menu entry: the program, started in the user's Documents folder.
link="$menu/TQ8 Order Form.lnk"
profile="$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')"
if [ -f "$link" ]; then
    pass "Start-menu entry 'TQ8 Order Form'"
    strings -e l "$link" >"$work/link.txt"
    # The target is kept as the names of its folders, one by one.
    tr '\n' '\\' <"$work/link.txt" | grep -qiF 'AppData\Local\Programs\Formular\formular.exe\' &&
        pass "the entry starts formular.exe" || fail "entry target: $(tr '\n' ' ' <"$work/link.txt")"
    grep -qixF "$profile\\Documents" "$work/link.txt" &&
        pass "the entry starts it in $profile\\Documents" || fail "entry folders: $(tr '\n' ' ' <"$work/link.txt")"
else
    fail "no Start-menu entry at $link"
fi

# Add/Remove programs.
wine reg query "$key" >"$work/uninstall.txt" 2>/dev/null || true
grep -q 'DisplayName.*TQ8 Order Form' "$work/uninstall.txt" && grep -q "DisplayVersion.*$version" "$work/uninstall.txt" &&
    grep -q 'UninstallString.*Uninstall.exe' "$work/uninstall.txt" &&
    pass "listed in Add/Remove programs (HKCU)" || fail "uninstall key: $(tr -d '\r' <"$work/uninstall.txt")"

# The same installer again: a repair. A removed file and a damaged one are
# put back; still one entry.
cp "$folder/translations/qtbase_cs.qm" "$work/qtbase_cs.qm"
rm "$folder/qt.conf"
echo damaged >"$folder/translations/qtbase_cs.qm"
wine "$installer" /S && pass "the same version installed again" || fail "the second install exited $?"
wineserver --wait
[ -f "$folder/qt.conf" ] && cmp -s "$folder/translations/qtbase_cs.qm" "$work/qtbase_cs.qm" &&
    pass "the second install repaired the files" || fail "the second install left qt.conf or qtbase_cs.qm broken"
count="$(entries)"
[ "$count" -eq 1 ] && pass "one entry in Add/Remove programs after the repair" || fail "$count entries after the repair"

# The user's contact details, which the uninstall leaves.
wine reg add "$contact" /v CompanyName /d "Pivovar" /f >/dev/null 2>&1
wineserver --wait

# The silent uninstall (run in place: _?= keeps the uninstaller from
# copying itself away and returning at once; it stays behind for that). The
# folder after _?= goes unquoted to the end of the command line, so its
# words are separate arguments here.
uninstall_checks() { # FOLDER WINDOWS-FOLDER LINK KEY
    local words
    read -ra words <<<"_?=$2"
    wine "$1/Uninstall.exe" /S "${words[@]}" && pass "silent uninstall" || fail "silent uninstall exited $?"
    wineserver --wait
    local left
    left="$(find "$1" -mindepth 1 ! -name Uninstall.exe 2>/dev/null || true)"
    [ -z "$left" ] && pass "program files removed" || fail "left behind: $left"
    [ ! -e "$3" ] && [ ! -e "$(dirname "$3")" ] && pass "Start-menu entry and folder removed" ||
        fail "Start-menu entry left: $(ls "$(dirname "$3")" 2>&1)"
    wine reg query "$4" >/dev/null 2>&1 && fail "uninstall key $4 left" || pass "uninstall key removed"
}
uninstall_checks "$folder" "$folder_win" "$link" "$key"
wine reg query 'HKCU\Software\Vireo Loggers\Formular' >/dev/null 2>&1 && fail "the installer's own key left" ||
    pass "the installer's own key removed"
wine reg query "$contact" /v CompanyName 2>/dev/null | grep -q Pivovar && pass "the contact details stay" ||
    fail "the uninstall removed the contact details"

# Something of the user's own where the program would go: a folder with a
# file in it, then a file. The silent install fails, changes nothing there
# and writes no key.
refused() { # WHAT
    local status=0
    wine "$installer" /S || status=$?
    wineserver --wait
    [ "$status" -ne 0 ] && pass "with $1 the silent install fails (exit $status)" ||
        fail "with $1 the silent install succeeded"
    [ "$(entries)" -eq 0 ] && pass "with $1 no uninstall key written" || fail "with $1 an uninstall key was written"
}
rm -rf "$folder"
mkdir -p "$folder"
echo "the user's own" >"$folder/notes.txt"
refused "a folder Formular of the user's"
[ "$(ls -A "$folder")" = notes.txt ] && [ "$(cat "$folder/notes.txt")" = "the user's own" ] &&
    pass "the user's folder is left as it was" || fail "the user's folder changed: $(ls -A "$folder")"
rm -rf "$folder"
echo "the user's own" >"$folder"
refused "a file Formular of the user's"
[ -f "$folder" ] && [ "$(cat "$folder")" = "the user's own" ] && pass "the user's file is left as it was" ||
    fail "the user's file Formular changed"
rm -f "$folder"

# For all users, by /ALLUSERS, in a prefix of its own.
wineserver --kill >/dev/null 2>&1 || true
export WINEPREFIX="$work/wine-all-users"
wineboot --init >/dev/null 2>&1
wineserver --wait
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Formular"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/TQ8 Order Form"
wine "$installer" /S /ALLUSERS && pass "silent install for all users (/ALLUSERS)" || fail "/S /ALLUSERS exited $?"
wineserver --wait
[ -f "$folder/formular.exe" ] && pass "formular.exe installed in Program Files" || fail "no $folder/formular.exe"
[ -z "$(find "$(winepath -u "$(windows_folder LOCALAPPDATA)")" -name formular.exe 2>/dev/null)" ] &&
    pass "nothing in the user's program folder" || fail "an all-users install wrote into the user's folder"
wine reg query "HKLM\\$uninstall" /v DisplayVersion 2>/dev/null | grep -q "$version" &&
    pass "listed in Add/Remove programs for all users (HKLM)" || fail "no HKLM\\$uninstall"
wine reg query "HKCU\\$uninstall" >/dev/null 2>&1 && fail "an all-users install wrote HKCU\\$uninstall" ||
    pass "no uninstall key under HKCU"
link="$menu/TQ8 Order Form.lnk"
profile="$(windows_folder USERPROFILE)"
[ -f "$link" ] && strings -e l "$link" | grep -qixF "$profile\Documents" &&
    pass "the common Start-menu entry starts it in $profile\Documents" || fail "no common Start-menu entry $link"
uninstall_checks "$folder" 'C:\Program Files\Formular' "$link" "HKLM\\$uninstall"

echo "Installer: $failures checks failed"
[ "$failures" -eq 0 ]
