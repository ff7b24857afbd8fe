#!/usr/bin/env bash
# Renders the product pictures from src/<N>.svg into the committed <N>.jpg files.
#
#   ./generate.sh          all pictures
#   ./generate.sh 4 28     just these
#   ./generate.sh --2x ... the same at twice the size, into <N>@2x.jpg, for
#                          screens scaled above 100 %
#
# Every picture is rendered at exactly the size the order form shows it (or twice
# that), flattened on white and written as a baseline (sequential) three-component
# JPEG. The build never runs this; rerun it after editing a drawing and commit the
# JPEGs, both sizes.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$here/src

for tool in rsvg-convert convert cjpeg djpeg; do
    command -v "$tool" >/dev/null || { echo "generate.sh: $tool is missing (librsvg2-bin, imagemagick, libjpeg-turbo-progs)" >&2; exit 1; }
done

# picture number -> "width height"
declare -A size=(
    [1]="200 88"   [2]="113 138"  [3]="100 114"  [4]="150 102"  [5]="100 142"
    [6]="150 114"  [7]="150 113"  [8]="71 150"   [9]="150 121"  [10]="125 63"
    [11]="150 94"  [12]="150 96"  [13]="100 124" [14]="150 98"  [15]="150 75"
    [16]="150 36"  [17]="150 121" [18]="150 131" [19]="190 57"  [20]="190 86"
    [21]="75 127"  [22]="200 127" [23]="100 98"  [24]="190 30"  [25]="150 119"
    [26]="164 150" [27]="182 150" [28]="200 113" [29]="200 113" [30]="145 115"
    [31]="138 150" [32]="190 150" [33]="190 137" [34]="525 700" [35]="525 700"
)
# The two block diagrams are larger and carry text; their quality keeps them near 60 KB.
declare -A quality=( [34]=76 [35]=76 )
default_quality=88

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

scale=1
suffix=
if [ "${1:-}" = --2x ]; then
    scale=2
    suffix=@2x
    shift
fi

if [ $# -gt 0 ]; then
    list=("$@")
else
    mapfile -t list < <(seq 1 35)
fi

fail=0
for n in "${list[@]}"; do
    [ -n "${size[$n]:-}" ] || { echo "generate.sh: no picture number $n" >&2; exit 1; }
    read -r w h <<<"${size[$n]}"
    w=$((w * scale))
    h=$((h * scale))
    q=${quality[$n]:-$default_quality}
    svg=$src/$n.svg
    out=$here/$n$suffix.jpg
    [ -f "$svg" ] || { echo "generate.sh: $svg is missing" >&2; exit 1; }

    rsvg-convert -w "$w" -h "$h" -b white "$svg" -o "$tmp/$n.png"
    convert "$tmp/$n.png" -background white -flatten -alpha off -depth 8 "ppm:$tmp/$n.ppm"
    cjpeg -quality "$q" -optimize -sample 1x1 "$tmp/$n.ppm" > "$tmp/$n.jpg"

    # Check what was written: the frame must be baseline (SOF0), 3 components, exact size.
    sof=$(djpeg -verbose -verbose "$tmp/$n.jpg" 2>&1 >/dev/null | grep -m1 'Start Of Frame' || true)
    want="Start Of Frame 0xc0: width=$w, height=$h, components=3"
    if [ "$sof" != "$want" ]; then
        echo "generate.sh: $n$suffix.jpg came out wrong:" >&2
        echo "    got:      ${sof:-no frame header}" >&2
        echo "    expected: $want" >&2
        fail=1
        continue
    fi
    got=$(identify -format '%w %h %[colorspace]' "$tmp/$n.jpg")
    if [ "$got" != "$w $h sRGB" ]; then
        echo "generate.sh: $n$suffix.jpg reads back as '$got', expected '$w $h sRGB'" >&2
        fail=1
        continue
    fi
    mv "$tmp/$n.jpg" "$out"
    printf '%6s.jpg  %4sx%-4s  q%-3s %6s bytes\n' "$n$suffix" "$w" "$h" "$q" "$(stat -c %s "$out")"
done
exit $fail
