#!/usr/bin/env bash
# Screenshots of the main window on screens scaled above 100 %, to look at
# the pictures, glyphs, flag and logo there:
#
#   tools/scaled-shots.sh PATH/TO/formular OUTPUT_FOLDER [FACTOR...]
#
# For each factor (1.25 1.5 2 unless given) the program runs under its own
# Xvfb (2560x2048x24) with QT_SCALE_FACTOR set to it, in a scratch HOME and
# working folder, Czech, with the pointer on the TQ8 (its picture, the one
# lettered "data logger"); then it is switched to English with the flag
# button and the block diagram is opened. The shots are
# OUTPUT_FOLDER/scale-FACTOR.png (the main window), scale-FACTOR-en.png and
# scale-FACTOR-diagram.png (the whole screen).
#
# Needs xvfb, xauth, imagemagick and xdotool.
set -euo pipefail

if [ "${1:-}" != --inside-xvfb ]; then
    [ $# -ge 2 ] || { echo "usage: $0 PATH/TO/formular OUTPUT_FOLDER [FACTOR...]" >&2; exit 2; }
    [ -x "$1" ] || { echo "$1 is not an executable program" >&2; exit 2; }
    for tool in xvfb-run xauth import xdotool; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, xauth, imagemagick, xdotool)" >&2; exit 2; }
    done
    program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
    mkdir -p "$2"
    out="$(cd "$2" && pwd)"
    shift 2
    [ $# -gt 0 ] || set -- 1.25 1.5 2
    for factor in "$@"; do
        work="$(mktemp -d)"
        xvfb-run -a -s "-screen 0 2560x2048x24 -nolisten tcp" "$0" --inside-xvfb "$program" "$out" "$work" "$factor" ||
            { rm -rf "$work"; exit 1; }
        rm -rf "$work"
    done
    echo "Shots written to $out"
    exit 0
fi

# --- from here on under Xvfb
program="$2"
out="$3"
work="$4"
factor="$5"

export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
export QT_QPA_PLATFORM=xcb
export NO_AT_BRIDGE=1
unset LC_ALL LC_MESSAGES LANGUAGE QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME QT_SCREEN_SCALE_FACTORS \
    QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI XDG_CURRENT_DESKTOP
export QT_SCALE_FACTOR="$factor"
mkdir -p "$XDG_CONFIG_HOME" "$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# shellcheck source=tools/program-session.sh
source "$(dirname "$0")/program-session.sh"

# Window coordinates are the screen's pixels: the layout's, scaled.
at() { # X Y in the layout's coordinates
    xdotool mousemove --window "$window" "$(awk -v v="$1" -v f="$factor" 'BEGIN { printf "%d", v * f }')" \
        "$(awk -v v="$2" -v f="$factor" 'BEGIN { printf "%d", v * f }')"
    sleep 0.8
}

xdotool mousemove 0 0
start_program cs_CZ.UTF-8 1.5
at 74 40 # on the TQ8: its picture
shoot_window "$out/scale-$factor.png"
at 719 205 # the flag button: English
xdotool click 1
sleep 0.8
at 74 40
import -window root -strip -define png:exclude-chunks=date,time "$out/scale-$factor-en.png"
at 719 256 # the block diagram button, in English
xdotool click 1
sleep 1.5
import -window root -strip -define png:exclude-chunks=date,time "$out/scale-$factor-diagram.png"
stop_program
