#!/usr/bin/env bash
# Renders the button glyphs and the language flag strip from src/*.svg.
#
#   bitbtn1.png  16x16 RGBA  reset form
#   bitbtn2.png  16x16 RGBA  create document
#   bitbtn3.png  16x16 RGBA  help
#   flags.bmp    120x25, 24-bit, no alpha: Czech | British | Czech, 40x25 each
#
# With --2x it renders the same at twice the size into bitbtn1@2x.png ...
# and flags@2x.bmp (240x50, 80x50 each), for screens scaled above 100 %.
# The build never runs this; rerun it (both ways) after editing a source and
# commit the output.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$here/src
# shellcheck source=resources/render.sh
source "$here/../render.sh"

scale=1
suffix=
if [ "${1:-}" = --2x ]; then
    scale=2
    suffix=@2x
fi

for n in 1 2 3; do
    render_rgba "$src/bitbtn$n.svg" $((16 * scale)) $((16 * scale)) "$here/bitbtn$n$suffix.png"
done

w=$((120 * scale))
h=$((25 * scale))
flags=$here/flags$suffix.bmp
rsvg-convert -w "$w" -h "$h" -b white "$src/flags.svg" -o "$tmp/flags.png"
convert "$tmp/flags.png" -background white -flatten -alpha off -type TrueColor "BMP3:$flags"
got=$(identify -format '%m %w %h %[bit-depth] %[channels]' "$flags")
case "$got" in
    "BMP3 $w $h 8 srgb"|"BMP3 $w $h 8 rgb") ;;
    *) fail "$(basename "$flags") is '$got', expected a ${w}x${h} BMP, 8 bits per channel, no alpha" ;;
esac
# the header must say 24 bits per pixel and no compression
bpp=$(od -An -tu2 -j28 -N2 "$flags" | tr -d ' ')
comp=$(od -An -tu4 -j30 -N4 "$flags" | tr -d ' ')
if [ "$bpp" != 24 ] || [ "$comp" != 0 ]; then
    fail "$(basename "$flags") header says ${bpp} bpp, compression $comp"
fi
echo "$(basename "$flags")    ${w}x${h} 24-bit"
