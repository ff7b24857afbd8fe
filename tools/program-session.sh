# shellcheck shell=bash
# Shared by the scripts that drive the program under Xvfb (sourced, not run):
# an opener that opens nothing, and the program stopped on every way out.
# Expects $work; the caller starts the program in the background and sets $pid.

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
