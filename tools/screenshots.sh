#!/usr/bin/env bash
# Renews the README's screenshots in docs/:
#   main-cs.png, main-en.png  the main window with an order begun, in Czech
#                             and in English (the language follows LANG)
#   document-cs.png           the first page of the order document it writes,
#                             from the program's own formular.pdf
# Runs the built program under Xvfb, clicks through it with xdotool, takes the
# screen with ImageMagick's import and crops it to the window; the program's
# PDF is turned into a picture with pdftoppm. As a check, LibreOffice's
# rendering of the same formular.rtf must give the same words, line by line.
# The user's own contact details and settings are not touched: the program
# runs with a scratch HOME.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
docs="$root/docs"

if [ "${1:-}" != --inside-xvfb ]; then
    extra=(xvfb xauth imagemagick xdotool poppler-utils xdg-utils)
    # Any LibreOffice with Writer converts the document; bring the small one only
    # where there is none (the full one conflicts with it).
    command -v soffice >/dev/null || extra+=(libreoffice-writer-nogui)
    "$root/tools/setup.sh" "${extra[@]}"
    "$root/tools/build.sh"
    program="${FORMULAR_BUILD_DIR:-$root/build}/src/formular"

    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$docs"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$program" "$work"
    echo "Renewed: docs/main-cs.png docs/main-en.png docs/document-cs.png"
    exit 0
fi

# --- from here on under Xvfb
program="$2"
work="$3"
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/VireoLoggers" "$work/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset LC_ALL LC_MESSAGES LC_NUMERIC LANGUAGE

# The contact details the document is filled with (a made-up customer).
cat >"$XDG_CONFIG_HOME/VireoLoggers/Formular.conf" <<'EOF'
[General]
CompanyName=Pivovar Nový Dvůr s.r.o.
Adress="Náměstí Míru 12, 586 01 Jihlava"
ContaktPerson=Jana Nováková
Telephone=+420 567 123 456
Email=jana.novakova@example.cz
EOF

# shellcheck source=tools/program-session.sh
source "$(dirname "$0")/program-session.sh"

# Window coordinates of what gets clicked (the main window is 830x605).
model_tq8r=(238 41)
channel_2_module=(200 158)
channel_1_note=(450 135)
accessory_software=(23 531)
accessory_adapter=(23 548)
document_button=(718 422)

# An order begun: the TQ8R (its picker opens on channel 1 at once: H1), L0 on
# channel 2, a note on channel 1, the software and an adapter (N2202) ticked;
# the picture shows the adapter. The mouse ends on the model, off every list.
fill_order() {
    click "${model_tq8r[@]}"
    keys Down Down Return
    click "${channel_2_module[@]}"
    keys alt+Down
    keys Down Down Down Down Return
    click "${channel_1_note[@]}"
    xdotool type --delay 60 "kotelna"
    keys Tab
    click "${accessory_software[@]}"
    click "${accessory_adapter[@]}"
    keys Down Return
    xdotool mousemove --window "$window" "${model_tq8r[@]}"
    sleep 1
}

shoot_drawn_window() { # FILE
    shoot_window "$1"
    # A blank or single-coloured picture means the window was not drawn.
    local spread
    spread="$(convert "$1" -format '%[fx:standard_deviation]' info:)"
    awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || { echo "$1 looks blank" >&2; exit 1; }
}

check_title() { # WORD the window caption must contain
    local title
    title="$(xdotool getwindowname "$window")"
    grep -q "$1" <<<"$title" || { echo "Window caption '$title' lacks '$1'" >&2; exit 1; }
}

# English
start_program en_US.UTF-8 1
check_title "Ordering form"
fill_order
shoot_drawn_window "$docs/main-en.png"
stop_program

# Czech, then the document
start_program cs_CZ.UTF-8 1
check_title "Objednac"
fill_order
shoot_drawn_window "$docs/main-cs.png"
click "${document_button[@]}"
keys Return # the contact dialog, filled from the stored details: continue
for _ in $(seq 100); do
    [ -s "$work/run/formular.pdf" ] && break
    sleep 0.1
done
sleep 1
stop_program
[ -s "$work/run/formular.rtf" ] || { echo "No formular.rtf was written" >&2; cat "$work/program.log" >&2; exit 1; }
[ -s "$work/run/formular.pdf" ] || { echo "No formular.pdf was written" >&2; cat "$work/program.log" >&2; exit 1; }

pdftoppm -png -r 80 -singlefile "$work/run/formular.pdf" "$work/document"
convert "$work/document.png" -strip -define png:exclude-chunks=date,time "$docs/document-cs.png"

# The check: LibreOffice's rendering of the RTF says the same, line by line.
mkdir -p "$work/office-pdf"
soffice -env:UserInstallation="file://$work/office" --headless --convert-to pdf \
    --outdir "$work/office-pdf" "$work/run/formular.rtf" >"$work/office.log" 2>&1 || true
[ -s "$work/office-pdf/formular.pdf" ] ||
    { echo "LibreOffice made no PDF of the document" >&2; cat "$work/office.log" >&2; exit 1; }
words_per_line() { pdftotext -layout "$1" - | sed 's/[[:space:]]\+/ /g; s/^ //; s/ $//' | grep -v '^$'; }
if ! diff <(words_per_line "$work/run/formular.pdf") <(words_per_line "$work/office-pdf/formular.pdf") >&2; then
    echo "The program's PDF and LibreOffice's rendering of formular.rtf differ" >&2
    exit 1
fi
