#!/usr/bin/env bash
# Configures (once) and builds the order form in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FORMULAR_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    # CI sets FORMULAR_WARNINGS_AS_ERRORS=ON; a developer's build only warns.
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DFORMULAR_WARNINGS_AS_ERRORS="${FORMULAR_WARNINGS_AS_ERRORS:-OFF}" "$@"
fi
cmake --build "$build" -j"$(nproc)"
