#!/usr/bin/env bash
# Builds and runs every benchmark on the offscreen platform and prints one
# table of figures (Markdown), ready for the README.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh" >/dev/null
build="${FORMULAR_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen

# QtTest's CSV lines: "function","tag","WalltimeMilliseconds",value,total,iterations
row() { # row LABEL FUNCTION CSV
    local value
    value=$(grep "^\"$2\"" <<<"$3" | cut -d, -f4)
    [ -n "$value" ] || { echo "missing figure for $2" >&2; exit 1; }
    printf '| %s | %s ms |\n' "$1" "$(printf '%.4g' "$value")"
}

hover=$("$build/bench/bench_hover" -csv 2>/dev/null)
document=$("$build/bench/bench_orderdocument" -csv 2>/dev/null)
startup=$("$build/bench/bench_startup" 2>/dev/null)

echo "| What | Time |"
echo "|---|---|"
sed -n 's/^  bare window \([0-9.]*\) ms, bare window with one label \([0-9.]*\) ms, order form \([0-9.]*\) ms$/| Start-up to the first frame: bare window \/ with one label \/ order form | \1 \/ \2 \/ \3 ms |/p' <<<"$startup"
sed -n 's/^  ratio to the bare window \([0-9.]*\), to the bare window with a label \([0-9.]*\)$/| Start-up ratio to the bare window \/ to the bare window with a label | \1 \/ \2 |/p' <<<"$startup"
sed -n 's/^  bare window with one label \([0-9.]*\) ms and \([0-9]*\) kB peak, order form \([0-9.]*\) ms and \([0-9]*\) kB peak$/| Whole process (start, first frame, exit): bare window with a label \/ order form | \1 \/ \3 ms, \2 \/ \4 kB peak |/p' <<<"$startup"
sed -n 's/^  whole-process ratio: wall \([0-9.]*\), peak memory \([0-9.]*\)$/| Whole-process ratio to the bare window with a label: wall \/ peak memory | \1 \/ \2 |/p' <<<"$startup"
row "Pointer over the grid, no decode" gridMoveWithoutDecode "$hover"
row "Pointer within one check box, no decode" checkBoxMoveSameBox "$hover"
row "Pointer onto another check box, one decode" checkBoxMoveNewBox "$hover"
row "Pointer within a model button, no decode" radioMoveSameButton "$hover"
row "Showing picture 4" showPicture4 "$hover"
row "Block diagram button to the shown diagram" diagramShown "$hover"
row "Filling the Czech template, 29 accessories, 16 notes" fillCzechFullOrder "$document"
sed -n 's/^PDF from the filled document: first in a fresh process \([0-9.]*\) ms; after it, over [0-9]* runs: median \([0-9.]*\) ms, 99th percentile \([0-9.]*\) ms$/| PDF of that document from its RTF: first in a fresh process \/ median \/ 99th percentile after it | \1 \/ \2 \/ \3 ms |/p' <<<"$document"
