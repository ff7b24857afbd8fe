#!/usr/bin/env bash
# pass only prints, so `check && pass ... || fail ...` reads as if-then-else;
# Windows paths end in backslashes inside single quotes.
# shellcheck disable=SC2015,SC1003
# Checks the Windows installer under Wine, in a fresh Wine prefix, as a user
# would meet it:
#   windows-installer-test.sh build-windows/formular-<version>-win64.exe
# It installs silently (/S); the installed folder holds the program with its
# icon and version, every DLL that the program and its plugins import and
# no other, Qt's windows platform and Vista style, Qt's Czech catalogue; the
# program answers --version and keeps running on the windows platform (under
# Xvfb: the Vista style wants a window system even offscreen); the
# Start-menu entry "TQ8 Order Form" starts it in the user's Documents
# folder; Add/Remove programs lists it; the silent uninstall removes all of
# it. When the build signs (FORMULAR_SIGN_PKCS12), the installer and the
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
folder="$drive/Program Files/Formular"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/TQ8 Order Form"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Formular'

wine "$installer" /S && pass "silent install" || fail "silent install exited $?"
# The registry is written out when the Wine server ends.
wineserver --wait
[ -f "$folder/formular.exe" ] && pass "formular.exe installed" || fail "no $folder/formular.exe"

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
    tr '\n' '\\' <"$work/link.txt" | grep -qiF 'Program Files\Formular\formular.exe\' &&
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
    pass "listed in Add/Remove programs" || fail "uninstall key: $(tr -d '\r' <"$work/uninstall.txt")"

# The silent uninstall (run in place: _?= keeps the uninstaller from
# copying itself away and returning at once; it stays behind for that). The
# folder after _?= goes unquoted to the end of the command line, so its
# words are separate arguments here.
wine "$folder/Uninstall.exe" /S '_?=C:\Program' 'Files\Formular' && pass "silent uninstall" ||
    fail "silent uninstall exited $?"
wineserver --wait
left="$(find "$folder" -mindepth 1 ! -name Uninstall.exe 2>/dev/null || true)"
[ -z "$left" ] && pass "program files removed" || fail "left behind: $left"
[ ! -e "$link" ] && pass "Start-menu entry removed" || fail "Start-menu entry left"
wine reg query "$key" >/dev/null 2>&1 && fail "uninstall key left" || pass "uninstall key removed"

echo "Installer: $failures checks failed"
[ "$failures" -eq 0 ]
