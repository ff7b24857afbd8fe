#!/usr/bin/env bash
# shellcheck disable=SC2015 # pass only prints: `check && pass || fail`
# Checks an update under Wine, in a fresh Wine prefix: the older installer,
# then the newer one over it, both silent (/S) for the current user:
#   windows-update-test.sh OLDER-INSTALLER NEWER-INSTALLER EXTRA-FILE
# The older one installs EXTRA-FILE into extra/, which the newer one lacks
# (tools/windows.sh builds it so). Between the two, contact details are
# stored as the program keeps them (string values in
# HKCU\Software\VireoLoggers\Formular, imported as regedit writes them).
# After the update: one entry in Add/Remove programs, showing the newer
# version; the program answers --version with it, and its window's version
# label shows what the newer version's shows when installed afresh (and not
# what the older one showed); nothing of the older version's that the newer
# one lacks is left; the contact details are as they were, and the contact
# dialog shows them (continued with Enter, they are in formular.rtf). The
# uninstall then removes every file and the entries, and leaves the contact
# details. Runs under its own Xvfb. Prints every check and exits non-zero if
# any failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" != --inside-xvfb ]; then
    "$root/tools/setup.sh" xvfb xauth xdotool imagemagick
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
shift
unset LC_ALL LC_MESSAGES LANGUAGE
older="$(realpath "$1")"
newer="$(realpath "$2")"
extra="$(basename "$3")"
version_of() {
    local name
    name="$(basename "$1")"
    name="${name#formular-}"
    echo "${name%-win64.exe}"
}
old_version="$(version_of "$older")"
new_version="$(version_of "$newer")"

work="$(mktemp -d)"
# shellcheck source=tools/wine-checks.sh
source "$(dirname "$0")/wine-checks.sh"

folder_win="$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Formular' 2>/dev/null | tr -d '\r')"
folder="$(winepath -u "$folder_win")"
contact='HKEY_CURRENT_USER\Software\VireoLoggers\Formular'
# Every entry in Add/Remove programs that names the program, in both hives.
entries() {
    for hive in HKCU HKLM; do
        wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null || true
    done | tr -d '\r' | grep 'DisplayName.*TQ8 Order Form' || true
}
# The contact key's values, as regedit exports them, in UTF-8.
contact_values() {
    rm -f "$work/export.reg"
    wine regedit /E "$(winepath -w "$work/export.reg")" "$contact" >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" 2>/dev/null | tr -d '\r' | grep '^"' || true
}
program_version() {
    wine "$folder/formular.exe" --version 2>/dev/null | tr -d '\r' || true
}

# The installed program's window, in Czech, in the Documents folder.
xdo_pause=0.7 xdo_key_delay=150
# shellcheck source=tools/xdo.sh
source "$root/tools/xdo.sh"
documents="$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%\Documents' 2>/dev/null | tr -d '\r')")"
mkdir -p "$documents"
program=
start_program() {
    (cd "$documents" && LANG=cs_CZ.UTF-8 exec wine "$folder/formular.exe") >>"$work/program.log" 2>&1 &
    program=$!
    find_window 300 && sleep 2
}
stop_program() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    program=
    wineserver --kill >/dev/null 2>&1 || true
    sleep 1
}
stop_extra() { stop_program; }
# The window's version label ("Version: ..." at 719, 565), as a picture.
version_label() { # FILE
    start_program || { fail "no window of the installed program"; return; }
    shoot_window "$work/window.png"
    convert "$work/window.png" -crop 81x20+719+565 +repage "$1"
    stop_program
}
same_picture() { # A B
    [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]
}
# The in-place uninstall leaves the uninstaller behind (see
# tools/windows-installer-test.sh); an ordinary one leaves nothing.
uninstall_in_place() {
    local words
    read -ra words <<<"_?=$folder_win"
    wine "$folder/Uninstall.exe" /S "${words[@]}"
    wineserver --wait
}

# The newer version's label, installed afresh, for comparison.
wine "$newer" /S && version_label "$work/label-new.png" && uninstall_in_place && rm -rf "$folder" &&
    pass "$new_version installed afresh and removed, its version label taken" ||
    fail "$new_version could not be installed afresh first"

wine "$older" /S && pass "$old_version installed" || fail "the $old_version install exited $?"
wineserver --wait
version_label "$work/label-old.png"
[ "$(program_version)" = "formular $old_version" ] && [ -f "$folder/extra/$extra" ] &&
    pass "$old_version answers --version and has extra/$extra" ||
    fail "$old_version: --version '$(program_version)', extra: $(ls "$folder/extra" 2>&1)"

{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "$contact"
    printf '"CompanyName"="Pivovar Nový Dvůr s.r.o."\r\n"Adress"="Náměstí Míru 12, 586 01 Jihlava"\r\n'
    printf '"ContaktPerson"="Jana Nováková"\r\n"Telephone"="+420 567 123 456"\r\n'
    printf '"Email"="jana.novakova@example.cz"\r\n'
} | iconv -f UTF-8 -t UTF-16 >"$work/contact.reg"
wine regedit /S "$(winepath -w "$work/contact.reg")" >/dev/null 2>&1
wineserver --wait
contact_values >"$work/before.txt"
[ "$(wc -l <"$work/before.txt")" -eq 5 ] && pass "contact details stored" || fail "contact details: $(cat "$work/before.txt")"

wine "$newer" /S && pass "$new_version installed over $old_version" || fail "the $new_version install exited $?"
wineserver --wait

listed="$(entries)"
[ "$(grep -c . <<<"$listed")" -eq 1 ] && pass "one entry in Add/Remove programs" || fail "entries: $listed"
wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Formular" /v DisplayVersion 2>/dev/null |
    tr -d '\r' | grep -qE "DisplayVersion +REG_SZ +$new_version\$" &&
    pass "the entry shows $new_version" || fail "the entry's version is not $new_version"
answer="$(program_version)"
[ "$answer" = "formular $new_version" ] && pass "--version: $answer" || fail "--version answered '$answer'"
[ ! -e "$folder/extra" ] && pass "$old_version's extra/$extra and its folder are gone" ||
    fail "left from $old_version: $(find "$folder/extra")"
contact_values >"$work/after.txt"
cmp -s "$work/before.txt" "$work/after.txt" && pass "the contact details are as they were" ||
    fail "contact details after the update: $(cat "$work/after.txt")"

# The window after the update: the newer version's label, and the stored
# contact details in the dialog (TQ8R, a module on channel 1, the document
# button, Enter in the dialog).
version_label "$work/label-updated.png"
! same_picture "$work/label-old.png" "$work/label-new.png" && same_picture "$work/label-updated.png" "$work/label-new.png" &&
    pass "the window's version label is $new_version's" ||
    fail "the version label after the update is not the one $new_version shows"
rm -f "$documents/formular.rtf"
if start_program; then
    click 238 41
    keys Down Down Return
    click 718 422
    keys Return
    for _ in $(seq 100); do
        [ -s "$documents/formular.rtf" ] && break
        sleep 0.1
    done
    stop_program
fi
grep -q 'jana.novakova@example.cz' "$documents/formular.rtf" 2>/dev/null &&
    grep -q '+420 567 123 456' "$documents/formular.rtf" &&
    pass "the contact dialog showed the stored details (they are in formular.rtf)" ||
    fail "formular.rtf after the update lacks the stored contact details"

# The uninstall, in place (see tools/windows-installer-test.sh): everything
# the update put down goes, the contact details stay.
uninstall_in_place && pass "silent uninstall" || fail "silent uninstall exited $?"
left="$(find "$folder" -mindepth 1 ! -name Uninstall.exe 2>/dev/null || true)"
[ -z "$left" ] && pass "every installed file removed" || fail "left behind: $left"
[ -z "$(entries)" ] && pass "no entry in Add/Remove programs" || fail "entries left: $(entries)"
contact_values >"$work/after.txt"
cmp -s "$work/before.txt" "$work/after.txt" && pass "the uninstall leaves the contact details" ||
    fail "contact details after the uninstall: $(cat "$work/after.txt")"

echo "Update: $failures checks failed"
[ "$failures" -eq 0 ]
