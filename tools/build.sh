#!/usr/bin/env bash
# Configures (once) and builds the order form in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FORMULAR_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" -j"$(nproc)"
