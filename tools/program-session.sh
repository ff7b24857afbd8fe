# shellcheck shell=bash
# Shared by the scripts that drive the program under Xvfb (sourced, not run):
# an opener that opens nothing, the program started in $work/run with its
# output in $work/program.log, and stopped on every way out.
# Expects $work and $program; sets $pid and $window (the main window's id);
# brings the window helpers of xdo.sh.

# Anything the program would open with xdg-open opens nothing here.
mkdir -p "${work:?}/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

pid=
stop_program() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=
    fi
}
trap stop_program EXIT

# shellcheck source=tools/xdo.sh
source "$(dirname "${BASH_SOURCE[0]}")/xdo.sh"

start_program() { # LANG SECONDS-TO-SETTLE
    mkdir -p "$work/run"
    (cd "$work/run" && LANG="$1" exec "${program:?}") >>"$work/program.log" 2>&1 &
    pid=$!
    find_window 100 || { echo "The main window did not appear" >&2; cat "$work/program.log" >&2; exit 1; }
    sleep "$2"
}
