#!/usr/bin/env bash
# Puts the program's PDF of each test document beside LibreOffice's
# rendering of the same formular.rtf:
#   tools/pdf-compare.sh [FOLDER]
# The PDF tests leave their documents (the README's order, the hostile
# texts, every accessory with long notes; Czech and English) in FOLDER as
# NAME.rtf and NAME.pdf; LibreOffice converts each NAME.rtf to
# libreoffice/NAME.pdf. For each document it prints whether pdftotext gives
# the same words, line by line, from both, and writes NAME-side.png: the
# first page of the program's PDF (left) beside LibreOffice's (right).
# Exits non-zero when any document differs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$(realpath -m "${1:-$root/build/pdf-compare}")"
extra=(poppler-utils imagemagick)
command -v soffice >/dev/null || extra+=(libreoffice-writer-nogui)
"$root/tools/setup.sh" "${extra[@]}"
"$root/tools/build.sh" >/dev/null
build="${FORMULAR_BUILD_DIR:-$root/build}"

rm -rf "$folder"
mkdir -p "$folder/libreoffice"
FORMULAR_PDF_SAMPLES="$folder" QT_QPA_PLATFORM=offscreen "$build/tests/tst_orderpdf" >/dev/null
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
soffice -env:UserInstallation="file://$profile" --headless --convert-to pdf --outdir "$folder/libreoffice" \
    "$folder"/*.rtf >/dev/null 2>&1

words_per_line() { pdftotext -layout "$1" - | sed 's/[[:space:]]\+/ /g; s/^ //; s/ $//' | grep -v '^$'; }
differ=0
for pdf in "$folder"/*.pdf; do
    name="$(basename "$pdf" .pdf)"
    office="$folder/libreoffice/$name.pdf"
    if diff <(words_per_line "$pdf") <(words_per_line "$office") >"$folder/$name.diff"; then
        echo "$name: the same $(words_per_line "$pdf" | wc -l) lines; pages $(pdfinfo "$pdf" | awk '/^Pages/ { print $2 }') / $(pdfinfo "$office" | awk '/^Pages/ { print $2 }')"
    else
        echo "$name: differs ($folder/$name.diff)"
        differ=1
    fi
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "$folder/$name-program"
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$office" "$folder/$name-libreoffice"
    convert "$folder/$name-program.png" "$folder/$name-libreoffice.png" -bordercolor gray -border 2 +append \
        "$folder/$name-side.png"
done
exit "$differ"
