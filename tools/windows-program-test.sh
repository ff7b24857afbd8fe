#!/usr/bin/env bash
# Uses the installed Windows program as a customer would, under Wine and
# Xvfb, in a fresh Wine prefix, and compares it with the Linux program:
#   windows-program-test.sh build-windows/formular-<version>-win64.exe build/src/formular [PICTURES]
# After a silent install, with contact details stored in the registry:
#  - in Czech (LANG=cs_CZ.UTF-8) the window is the Czech one; the order
#    TQ8R with one module, then the document button and "continue": the
#    document is written in the working folder, formular.rtf and
#    formular.pdf, the contact details are string values in
#    HKCU\Software\VireoLoggers\Formular, and the shell opens the RTF
#    (Wine's WordPad comes up);
#  - the Linux program, given the same details and the same clicks, writes
#    a byte-identical formular.rtf, and a formular.pdf with the same text,
#    line by line (pdftotext);
#  - a stored value of another type (a DWORD) is reported and the document
#    is made all the same; with no program for .rtf files the PDF is opened
#    instead, by a program of this test's own registered for .pdf, and no
#    warning comes;
#  - with no program for either, the program's warning appears;
#  - in English (LANG=en_US.UTF-8) the window is the English one;
#  - at 144 dpi (150 %, Windows' LogPixels) the window is 1.5 times as wide,
#    shown in windows-144dpi.png with the pointer on the TQ8.
# Screenshots of both languages go to PICTURES (a temporary folder if not
# given). Prints every check and exits non-zero if any of them failed.
# shellcheck disable=SC2015 # pass only prints: `check && pass || fail`
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [ "${1:-}" != --inside-xvfb ]; then
    "$root/tools/setup.sh" xvfb xauth xdotool imagemagick poppler-utils
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
installer="$(realpath "$2")"
linux_program="$(realpath "$3")"
work="$(mktemp -d)"
pictures="${4:-$work/pictures}"
mkdir -p "$pictures"
unset LC_ALL LC_MESSAGES LANGUAGE
pids=()
stop_extra() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
# shellcheck source=tools/wine-checks.sh
source "$(dirname "$0")/wine-checks.sh"
wine "$installer" /S
wineserver --wait
# Installed for the current user (the installer's default).
program="$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Formular\formular.exe' 2>/dev/null | tr -d '\r')")"
documents="$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%\Documents' 2>/dev/null | tr -d '\r')")"
mkdir -p "$documents"
key='HKCU\Software\VireoLoggers\Formular'

# The contact details, as a returning customer has them (the same on Linux).
names=(CompanyName Adress ContaktPerson Telephone Email)
values=("Pivovar Nový Dvůr s.r.o." "Náměstí Míru 12, 586 01 Jihlava" "Jana Nováková" "+420 567 123 456"
    "jana.novakova@example.cz")
# Imported from a .reg file in UTF-16, as regedit writes them: texts on
# Wine's command line pass through a code page and lose their accents.
store_in_registry() {
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "HKEY_CURRENT_USER\\${key#HKCU\\}"
        for i in "${!names[@]}"; do printf '"%s"="%s"\r\n' "${names[$i]}" "${values[$i]}"; done
    } | iconv -f UTF-8 -t UTF-16 >"$work/contact.reg"
    wine regedit /S "$(winepath -w "$work/contact.reg")" >/dev/null 2>&1
    wineserver --wait
}
# The key's values, as regedit exports them, in UTF-8.
registry_values() {
    rm -f "$work/export.reg"
    wine regedit /E "$(winepath -w "$work/export.reg")" "HKEY_CURRENT_USER\\${key#HKCU\\}" >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" 2>/dev/null | tr -d '\r'
}

# Wine draws more slowly than the Linux program: longer pauses.
xdo_pause=0.7 xdo_key_delay=150
# shellcheck source=tools/xdo.sh
source "$root/tools/xdo.sh"

start() { # LANG FOLDER COMMAND...
    local lang="$1" folder="$2"
    shift 2
    (cd "$folder" && LANG="$lang" exec "$@") >>"$work/program.log" 2>&1 &
    pids+=($!)
    find_window 300 && sleep 2
}
stop() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    pids=()
    wineserver --kill >/dev/null 2>&1 || true
    sleep 1
}
title_has() { # WORD
    xdotool getwindowname "$window" | grep -q "$1"
}
# The TQ8R, its picker open on channel 1: the third module; then the
# document button and, in the contact dialog, Enter (continue).
order_document() {
    click 238 41
    keys Down Down Return
    click 718 422
    keys Return
}
wait_for() { # FILE
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# --- Czech, on Windows
store_in_registry
start cs_CZ.UTF-8 "$documents" wine "$program"
[ -n "$window" ] && pass "the installed program shows its window" || fail "no window of the installed program"
title_has "Objednac" && pass "Czech window under a Czech locale" || fail "caption: $(xdotool getwindowname "$window")"
shoot_window "$pictures/windows-cs.png"
order_document
wait_for "$documents/formular.rtf" && pass "formular.rtf written in the working folder" ||
    fail "no formular.rtf in $documents"
wait_for "$documents/formular.pdf" && pass "formular.pdf written beside it" || fail "no formular.pdf in $documents"
sleep 3
xdotool search --onlyvisible --name 'WordPad' >/dev/null 2>&1 && pass "the shell opened the document (WordPad)" ||
    fail "no WordPad window came up"
stop

registry_values >"$work/reg.txt"
for i in "${!names[@]}"; do
    grep -qxF "\"${names[$i]}\"=\"${values[$i]}\"" "$work/reg.txt" &&
        pass "${names[$i]} is a string value in the registry" || fail "${names[$i]}: $(cat "$work/reg.txt")"
done

# --- the same order on Linux: the same document, byte for byte
mkdir -p "$work/linux/config/VireoLoggers" "$work/linux/run" "$work/bin"
{
    echo "[General]"
    for i in "${!names[@]}"; do echo "${names[$i]}=\"${values[$i]}\""; done
} >"$work/linux/config/VireoLoggers/Formular.conf"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" XDG_CONFIG_HOME="$work/linux/config" start cs_CZ.UTF-8 "$work/linux/run" "$linux_program"
order_document
wait_for "$work/linux/run/formular.rtf" || true
wait_for "$work/linux/run/formular.pdf" || true
stop
cp "$documents/formular.rtf" "$pictures/formular-windows.rtf"
cp "$documents/formular.pdf" "$pictures/formular-windows.pdf" || true
cp "$work/linux/run/formular.rtf" "$pictures/formular-linux.rtf" || true
cp "$work/linux/run/formular.pdf" "$pictures/formular-linux.pdf" || true
grep -q 'Jihlava' "$documents/formular.rtf" && pass "the contact details are in the document" ||
    fail "the document lacks the contact details"
cmp -s "$documents/formular.rtf" "$work/linux/run/formular.rtf" &&
    pass "the same document on Windows and on Linux ($(stat -c %s "$documents/formular.rtf") bytes)" ||
    fail "the documents differ: $(cmp "$documents/formular.rtf" "$work/linux/run/formular.rtf" 2>&1 | head -1)"
words_per_line() { pdftotext -layout "$1" - 2>/dev/null | sed 's/[[:space:]]\+/ /g; s/^ //; s/ $//' | grep -v '^$'; }
pdf_lines="$(words_per_line "$documents/formular.pdf" | wc -l)"
if [ "$pdf_lines" -gt 40 ] &&
    diff <(words_per_line "$documents/formular.pdf") <(words_per_line "$work/linux/run/formular.pdf") >"$work/pdf.diff"; then
    pass "the same text in the PDF on Windows and on Linux ($pdf_lines lines)"
else
    fail "the PDFs' texts differ ($pdf_lines lines): $(head -5 "$work/pdf.diff" 2>/dev/null | tr '\n' ' ')"
fi
grep -aq 'pdfaid:part="1"' "$documents/formular.pdf" && pass "the Windows PDF is PDF/A-1b" ||
    fail "the Windows PDF names no PDF/A part"
pdffonts "$documents/formular.pdf" 2>/dev/null | awk 'NR > 2 && $(NF - 4) != "yes" { bad = 1 } END { exit bad }' &&
    pass "every font of the Windows PDF is embedded" || fail "a font of the Windows PDF is not embedded"

# --- a value of another type; and no program for .rtf files, but one of
# this test's own for .pdf: it notes the path it is given.
rm -f "$documents/formular.rtf" "$documents/formular.pdf"
wine reg add "$key" /v Telephone /t REG_DWORD /d 7 /f >/dev/null 2>&1
wine reg delete 'HKCR\.rtf' /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Classes\.rtf' /f >/dev/null 2>&1 || true
opened="$WINEPREFIX/drive_c/opened-pdf.txt"
wine reg add 'HKCR\.pdf' /ve /d Formular.TestPdf /f >/dev/null 2>&1
wine reg add 'HKCR\Formular.TestPdf\shell\open\command' /ve \
    /d 'C:\windows\system32\cmd.exe /c echo %1> C:\opened-pdf.txt' /f >/dev/null 2>&1
wineserver --wait
start cs_CZ.UTF-8 "$documents" wine "$program"
click 718 422
shoot_window "$pictures/windows-invalid-type.png"
keys Return # the message box
keys Return # continue
wait_for "$documents/formular.rtf" && pass "the document is made after the report of a DWORD value" ||
    fail "no document after a DWORD value"
wait_for "$opened" && grep -q 'formular\.pdf' "$opened" &&
    pass "with no program for .rtf files the PDF is opened ($(tr -d '\r' <"$opened"))" ||
    fail "the PDF was not opened without an .rtf program"
sleep 9 # the opener is given 7.5 seconds
warning="$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -1)" || true
[ -z "$warning" ] && pass "no warning when the PDF opens" || fail "a warning although the PDF opened"
stop

# --- no program for either: the warning
rm -f "$documents/formular.rtf" "$documents/formular.pdf" "$opened"
wine reg delete 'HKCR\.pdf' /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Classes\.pdf' /f >/dev/null 2>&1 || true
wineserver --wait
start cs_CZ.UTF-8 "$documents" wine "$program"
click 718 422
keys Return # the message box
keys Return # continue
wait_for "$documents/formular.pdf" || true
# The opener is given 7.5 seconds; a loaded machine may take longer to draw.
warning=
for _ in $(seq 60); do
    warning="$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -1)" || true
    [ -n "$warning" ] && break
    sleep 0.5
done
shoot_window "$pictures/windows-no-program.png"
[ -n "$warning" ] && pass "with no program for .rtf or .pdf files the warning appears" ||
    fail "no warning without an .rtf or .pdf program"
stop

# --- English
start en_US.UTF-8 "$documents" wine "$program"
title_has "Ordering form" && pass "English window under an English locale" ||
    fail "caption: $(xdotool getwindowname "$window")"
shoot_window "$pictures/windows-en.png"
# shellcheck disable=SC2034 # set by xdotool's --shell output
eval "$(xdotool getwindowgeometry --shell "$window")"
width_at_96=$WIDTH
stop

# --- 150 %: Windows' 144 dpi (LogPixels), Czech, the pointer on the TQ8
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver --wait
start cs_CZ.UTF-8 "$documents" wine "$program"
xdotool mousemove --window "$window" 111 60
sleep 2
shoot_window "$pictures/windows-144dpi.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$((WIDTH * 2))" -eq "$((width_at_96 * 3))" ] && pass "at 144 dpi the window is 1.5 times as wide ($WIDTH px)" ||
    fail "at 144 dpi the window is $WIDTH px wide, at 96 dpi $width_at_96 px"
stop
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver --wait

echo "Screenshots: $pictures"
echo "Windows program: $failures checks failed"
[ "$failures" -eq 0 ]
