# shellcheck shell=bash
# Shared by the scripts that check the Windows program under Wine (sourced,
# not run): a fresh Wine prefix in $work, removed with it on every way out,
# after `stop_extra` (a function the script may define); and the checks'
# bookkeeping: `pass` and `fail` print a line, $failures counts the fails.
# Expects $work.

export WINEPREFIX="${work:?}/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    if declare -F stop_extra >/dev/null; then stop_extra; fi
    wineserver --kill >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

wineboot --init >/dev/null 2>&1
wineserver --wait
