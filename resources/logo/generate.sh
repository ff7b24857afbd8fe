#!/usr/bin/env bash
# Renders logo.svg to logo.png: RGBA, transparent background, exactly 157x89,
# the size of the logo's place in the main window. The drawing fills the top
# 56 pixels only: the version text stands in the lower right of that place.
# The build never runs this; rerun it after editing logo.svg and commit logo.png.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=resources/render.sh
source "$here/../render.sh"

rsvg-convert -h 56 --keep-aspect-ratio "$here/logo.svg" -o "$tmp/mark.png"
convert -size 157x89 xc:none "$tmp/mark.png" -gravity north -composite \
    -define png:color-type=6 -define png:exclude-chunks=date,time "PNG32:$here/logo.png"
got=$(identify -format '%w %h %[channels]' "$here/logo.png")
case "$got" in
    "157 89 srgba"|"157 89 rgba") ;;
    *) echo "generate.sh: logo.png is '$got', expected 157x89 RGBA" >&2; exit 1 ;;
esac
# the corners must stay transparent
corner=$(convert "$here/logo.png" -format '%[fx:p{0,0}.a]' info:)
[ "$corner" = 0 ] || { echo "generate.sh: logo.png background is not transparent" >&2; exit 1; }
echo "logo.png  157x89 RGBA"
