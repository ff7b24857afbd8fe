#!/usr/bin/env bash
# Renders logo.svg to logo.png: RGBA, transparent background, exactly 157x89,
# the size of the logo's place in the main window. The drawing fills the top
# 56 pixels only: the version text stands in the lower right of that place.
# With --2x it renders logo@2x.png instead, twice the size (314x178, the
# drawing 112 pixels high), for screens scaled above 100 %.
# The build never runs this; rerun it (both ways) after editing logo.svg and
# commit the PNGs.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=resources/render.sh
source "$here/../render.sh"

scale=1
suffix=
if [ "${1:-}" = --2x ]; then
    scale=2
    suffix=@2x
fi
w=$((157 * scale))
h=$((89 * scale))
out=$here/logo$suffix.png

rsvg-convert -h $((56 * scale)) --keep-aspect-ratio "$here/logo.svg" -o "$tmp/mark.png"
convert -size "${w}x${h}" xc:none "$tmp/mark.png" -gravity north -composite \
    -define png:color-type=6 -define png:exclude-chunks=date,time "PNG32:$out"
got=$(identify -format '%w %h %[channels]' "$out")
case "$got" in
    "$w $h srgba"|"$w $h rgba") ;;
    *) echo "generate.sh: $(basename "$out") is '$got', expected ${w}x${h} RGBA" >&2; exit 1 ;;
esac
# the corners must stay transparent
corner=$(convert "$out" -format '%[fx:p{0,0}.a]' info:)
[ "$corner" = 0 ] || { echo "generate.sh: $(basename "$out") background is not transparent" >&2; exit 1; }
echo "$(basename "$out")  ${w}x${h} RGBA"
