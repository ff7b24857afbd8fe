#!/usr/bin/env bash
# Checks that translations/formular_cs.ts holds exactly the texts the code
# gives to tr() (and QCoreApplication::translate): lupdate over src/ into a
# copy must leave the copy as it is. A text added to the code shows as a
# new, unfinished message; one no longer used, as a message gone.
#
#   tools/check-translations.sh            check (exit 77 without lupdate)
#   tools/check-translations.sh --update   bring the file up to date, for
#                                          the new texts to be translated
#
# lupdate is Debian's qt6-l10n-tools (tools/setup.sh installs it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
catalogue="$root/translations/formular_cs.ts"
lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
    lupdate="$(command -v lupdate || true)"
    [ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
fi
if [ ! -x "$lupdate" ]; then
    echo "lupdate is missing (Debian: qt6-l10n-tools)" >&2
    exit 77
fi

update() { # TS_FILE
    "$lupdate" -silent -locations none -no-obsolete -source-language en -target-language cs "$root/src" -ts "$1"
}

if [ "${1:-}" = --update ]; then
    update "$catalogue"
    exit 0
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$catalogue" "$scratch/formular_cs.ts"
update "$scratch/formular_cs.ts"
if ! diff -u "$catalogue" "$scratch/formular_cs.ts"; then
    echo "translations/formular_cs.ts is not up to date with the code: run tools/check-translations.sh --update" >&2
    echo "and translate the new texts (type=\"unfinished\")" >&2
    exit 1
fi
echo "translations/formular_cs.ts holds every text of the code, and no other"
