#!/usr/bin/env bash
# Renders the application icon formular.svg to PNGs at the usual sizes
# (formular-16.png ... formular-256.png), RGBA with a transparent background.
# The build never runs this; rerun it after editing formular.svg and commit the PNGs.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in rsvg-convert convert identify; do
    command -v "$tool" >/dev/null || { echo "generate.sh: $tool is missing (librsvg2-bin, imagemagick)" >&2; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for s in 16 32 48 64 128 256; do
    out=$here/formular-$s.png
    rsvg-convert -w "$s" -h "$s" "$here/formular.svg" -o "$tmp/i.png"
    convert "$tmp/i.png" -define png:color-type=6 "PNG32:$out"
    got=$(identify -format '%w %h %[channels]' "$out")
    case "$got" in
        "$s $s srgba"|"$s $s rgba") ;;
        *) echo "generate.sh: formular-$s.png is '$got', expected ${s}x${s} RGBA" >&2; exit 1 ;;
    esac
    echo "formular-$s.png  ${s}x${s} RGBA"
done
