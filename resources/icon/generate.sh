#!/usr/bin/env bash
# Renders the application icon formular.svg to PNGs at the usual sizes
# (formular-16.png ... formular-256.png), RGBA with a transparent background.
# The build never runs this; rerun it after editing formular.svg and commit the PNGs.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=resources/render.sh
source "$here/../render.sh"

for s in 16 32 48 64 128 256; do
    render_rgba "$here/formular.svg" "$s" "$s" "$here/formular-$s.png"
done
