# shellcheck shell=bash
# Shared by the scripts that use the program's main window under Xvfb
# (sourced, not run; nothing happens on sourcing): finding the window,
# clicking and typing into it with xdotool, and taking its picture with
# ImageMagick. $window is the main window's id. $xdo_pause (seconds after each
# click or key sequence) and $xdo_key_delay (milliseconds between keys) may be
# set before sourcing.
: "${xdo_pause:=0.5}"
: "${xdo_key_delay:=100}"

find_window() { # TENTHS: waits that many tenths of a second at most; sets $window
    window=
    for _ in $(seq "$1"); do
        window="$(xdotool search --onlyvisible --name 'TQ8' 2>/dev/null | head -1)" || true
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}

click() { # X Y in window coordinates
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep "$xdo_pause"
}

keys() {
    xdotool key --delay "$xdo_key_delay" "$@"
    sleep "$xdo_pause"
}

shoot_window() { # FILE: the main window, as the screen shows it
    # shellcheck disable=SC2034 # set by xdotool's --shell output
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
        -strip -define png:exclude-chunks=date,time "$1"
}
