#!/usr/bin/env bash
# Takes a fixed series of screenshots of the program, each after a fixed
# sequence of pointer and key actions, so that two builds can be compared
# pixel by pixel (e.g. with `compare -metric AE`):
#
#   tools/scenes.sh PATH/TO/formular OUTPUT_FOLDER
#
# The program runs under its own Xvfb (1280x1024x24) with a scratch HOME and
# XDG_CONFIG_HOME holding a made-up contact store, in a scratch working
# folder; nothing of the user's is read or written. The whole screen is
# taken each time, so that dialogs, drop-down lists and windows of their own
# are in the picture too. The same program gives the same pixels every run.
#
# The shots (OUTPUT_FOLDER/NAME.png):
#   b-start-en          English start
#   a-start-cs          Czech start
#   c-tq8r-picker       TQ8R chosen: the module list of channel 1 open
#   d-modules           a module on channels 1 and 2
#   e1-note-typing      a note being typed into channel 1's note cell
#   e2-note             the note entered
#   f1-adapter-list     accessories ticked, the adapter's variant list open
#   f2-accessories      the variant list closed with Esc
#   g-accessory-hover   the pointer resting on an accessory
#   h-scrolled          the left half wheeled down to its bottom
#   h-tag01 .. h-tag29  there, the pointer on each accessory in turn (its
#                       picture, order code and price)
#   i-contact-dialog    the contact dialog (then cancelled with Esc)
#   j-reset-question    the reset question (then answered No)
#   k-diagram           the block diagram window (then closed with Esc)
#   l1-english          switched to English with the flag button
#   l2-english-top      the left half wheeled back to its top
#
# Needs xvfb, xauth, imagemagick and xdotool.
set -euo pipefail

usage() {
    echo "usage: $0 PATH/TO/formular OUTPUT_FOLDER" >&2
    exit 2
}

if [ "${1:-}" != --inside-xvfb ]; then
    [ $# -eq 2 ] || usage
    [ -x "$1" ] || { echo "$1 is not an executable program" >&2; exit 2; }
    for tool in xvfb-run xauth import convert xdotool; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, xauth, imagemagick, xdotool)" >&2; exit 2; }
    done
    program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
    mkdir -p "$2"
    out="$(cd "$2" && pwd)"
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inside-xvfb "$program" "$out" "$work"
    echo "Scenes written to $out"
    exit 0
fi

# --- from here on under Xvfb
program="$2"
out="$3"
work="$4"

# A private, fixed environment: nothing of the caller's settings, styles,
# scaling or session services reaches the program.
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
export QT_QPA_PLATFORM=xcb
export NO_AT_BRIDGE=1
unset LC_ALL LC_MESSAGES LC_NUMERIC LC_CTYPE LANGUAGE \
    QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
    QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI QT_ACCESSIBILITY \
    XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$XDG_CONFIG_HOME/VireoLoggers" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$work/bin" "$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The stored contact details (a made-up customer).
cat >"$XDG_CONFIG_HOME/VireoLoggers/Formular.conf" <<'EOF'
[General]
CompanyName=Pekárna U Tří lip s.r.o.
Adress="Dlouhá 7, 602 00 Brno"
ContaktPerson=Petr Svoboda
Telephone=+420 543 210 987
Email=petr.svoboda@example.cz
EOF

# shellcheck source=tools/program-session.sh
source "$(dirname "$0")/program-session.sh"

# Places in window coordinates (the main window is 830x605, centred).
neutral=(815 475)            # empty: right of the logo, below the buttons
model_tq8r=(250 40)
channel_2_module=(200 157)   # grid at (17, 81), header 42 px, rows 23 px
channel_1_note=(450 134)
accessory_1=(40 531)         # accessory group at (5, 510), boxes at x 17
accessory_2_adapter=(40 548)
accessory_3=(40 577)
accessory_hover=(60 577)
left_half=(572 300)          # inside the left panel, beside the grid
diagram_button_cs=(719 346)  # button panel at (612, 323); (612, 233) in English
reset_button_cs=(719 380)
document_button_cs=(719 422)
flag_button=(719 205)        # language group at (612, 171), flag at (87, 20)
# The accessory boxes' tops in their group, by tag; with the left half at its
# bottom the group's top is the window's.
box_tops=(13 30 59 75 103 119 147 163 179 207 223 251 267 283 299 315 343 359 375 403
    419 435 451 479 495 511 527 555 579)

settle() {
    sleep "${1:-0.6}"
}

point() { # X Y in window coordinates
    xdotool mousemove --window "$window" "$1" "$2"
    settle
}

click() { # X Y in window coordinates
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    settle
}

keys() {
    xdotool key --delay 120 "$@"
    settle
}

wheel() { # BUTTON (4 up, 5 down) COUNT
    xdotool click --repeat "$2" --delay 60 "$1"
    settle 1
}

# A text caret blinks (half a second on, half off), so one shot could catch
# it either way. Six shots spread over more than a whole blink are taken and
# the darkest kept: the one with the caret drawn. Where nothing blinks the
# six are alike.
# A scene where no text has the focus may ask for one shot only.
shoot() { # NAME [SAMPLES]
    local samples="$work/samples" count="${2:-6}" best="" best_mean="" mean i
    rm -rf "$samples"
    mkdir "$samples"
    for i in $(seq "$count"); do
        import -window root -strip -define png:exclude-chunks=date,time "$samples/$i.png"
        sleep 0.2
    done
    for i in $(seq "$count"); do
        mean="$(convert "$samples/$i.png" -colorspace Gray -format '%[fx:mean]' info:)"
        if [ -z "$best" ] || awk -v a="$mean" -v b="$best_mean" 'BEGIN { exit !(a < b) }'; then
            best="$samples/$i.png"
            best_mean="$mean"
        fi
    done
    local distinct
    distinct="$(md5sum "$samples"/*.png | cut -d' ' -f1 | sort -u | wc -l)"
    echo "$1: $distinct distinct of $count samples" >>"$work/samples.log"
    cp "$best" "$out/$1.png"
}

# (b) English start
xdotool mousemove 0 0
start_program en_US.UTF-8 1.5
point "${neutral[@]}"
shoot b-start-en
stop_program

# (a) Czech start
xdotool mousemove 0 0
start_program cs_CZ.UTF-8 1.5
point "${neutral[@]}"
shoot a-start-cs

# (c) TQ8R chosen: the picker opens on channel 1 at once
click "${model_tq8r[@]}"
shoot c-tq8r-picker

# (d) a module on channel 1 from the open picker, another on channel 2
keys Down Return
click "${channel_2_module[@]}"
keys Down Down Return
point "${neutral[@]}"
shoot d-modules

# (e) a note on channel 1
click "${channel_1_note[@]}"
xdotool type --delay 80 "kotelna"
settle
point "${neutral[@]}"
shoot e1-note-typing
keys Return
shoot e2-note

# (f) accessories ticked; the adapter's list drops down, then Esc closes it
click "${accessory_1[@]}"
click "${accessory_3[@]}"
click "${accessory_2_adapter[@]}"
shoot f1-adapter-list
keys Escape
point "${neutral[@]}"
shoot f2-accessories

# (g) the pointer on an accessory: its picture, order code and price
point "${accessory_hover[@]}"
settle
shoot g-accessory-hover

# (h) the left half wheeled down to its bottom
point "${left_half[@]}"
wheel 5 30
point "${neutral[@]}"
shoot h-scrolled
for tag in $(seq "${#box_tops[@]}"); do
    point 40 $((box_tops[tag - 1] + 8))
    shoot "$(printf 'h-tag%02d' "$tag")" 1
done

# (i) the contact dialog, cancelled
click "${document_button_cs[@]}"
settle
shoot i-contact-dialog
keys Escape

# (j) the reset question, answered No (its Esc button)
click "${reset_button_cs[@]}"
shoot j-reset-question
keys Escape

# (k) the block diagram, closed
click "${diagram_button_cs[@]}"
settle
shoot k-diagram
keys Escape

# (l) English with the flag button: the same order
click "${flag_button[@]}"
settle
point "${neutral[@]}"
shoot l1-english
point "${left_half[@]}"
wheel 4 30
point "${neutral[@]}"
shoot l2-english-top
stop_program

cp "$work/samples.log" "$out/samples.log"
if [ -s "$work/program.log" ]; then
    cp "$work/program.log" "$out/program.log"
fi
