#!/usr/bin/env bash
# Sets up, builds and runs every test (window tests on the offscreen platform).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
cd "${FORMULAR_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j"$(nproc)"
