#!/usr/bin/env bash
# Renders the button glyphs and the language flag strip from src/*.svg.
#
#   bitbtn1.png  16x16 RGBA  reset form
#   bitbtn2.png  16x16 RGBA  create document
#   bitbtn3.png  16x16 RGBA  help
#   flags.bmp    120x25, 24-bit, no alpha: Czech | British | Czech, 40x25 each
#
# The build never runs this; rerun it after editing a source and commit the output.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$here/src
# shellcheck source=resources/render.sh
source "$here/../render.sh"

for n in 1 2 3; do
    render_rgba "$src/bitbtn$n.svg" 16 16 "$here/bitbtn$n.png"
done

rsvg-convert -w 120 -h 25 -b white "$src/flags.svg" -o "$tmp/flags.png"
convert "$tmp/flags.png" -background white -flatten -alpha off -type TrueColor "BMP3:$here/flags.bmp"
got=$(identify -format '%m %w %h %[bit-depth] %[channels]' "$here/flags.bmp")
case "$got" in
    "BMP3 120 25 8 srgb"|"BMP3 120 25 8 rgb") ;;
    *) fail "flags.bmp is '$got', expected a 120x25 BMP, 8 bits per channel, no alpha" ;;
esac
# the header must say 24 bits per pixel and no compression
bpp=$(od -An -tu2 -j28 -N2 "$here/flags.bmp" | tr -d ' ')
comp=$(od -An -tu4 -j30 -N4 "$here/flags.bmp" | tr -d ' ')
if [ "$bpp" != 24 ] || [ "$comp" != 0 ]; then
    fail "flags.bmp header says ${bpp} bpp, compression $comp"
fi
echo "flags.bmp    120x25 24-bit"
