# shellcheck shell=bash
# Shared by the artwork scripts (sourced, not run): tool checks, a scratch
# folder, and rendering an SVG to an exact-size RGBA PNG.

fail() { echo "$(basename "$0"): $*" >&2; exit 1; }

for tool in rsvg-convert convert identify; do
    command -v "$tool" >/dev/null || fail "$tool is missing (librsvg2-bin, imagemagick)"
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# render_rgba SVG WIDTH HEIGHT OUT: renders and checks size and alpha.
render_rgba() {
    local svg=$1 w=$2 h=$3 out=$4 got
    rsvg-convert -w "$w" -h "$h" "$svg" -o "$tmp/render.png"
    # keep the alpha channel even where a picture would fit in a palette
    convert "$tmp/render.png" -define png:color-type=6 -define png:exclude-chunks=date,time "PNG32:$out"
    got=$(identify -format '%w %h %[channels]' "$out")
    case "$got" in
        "$w $h srgba"|"$w $h rgba") ;;
        *) fail "$(basename "$out") is '$got', expected ${w}x${h} RGBA" ;;
    esac
    echo "$(basename "$out")  ${w}x${h} RGBA"
}
