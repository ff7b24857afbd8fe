#!/usr/bin/env bash
# Sets up, builds and starts the order form in the current folder, where it
# writes formular.rtf.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh" xdg-utils
"$root/tools/build.sh"
exec "${FORMULAR_BUILD_DIR:-$root/build}/src/formular"
