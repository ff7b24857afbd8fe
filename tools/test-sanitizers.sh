#!/usr/bin/env bash
# Builds with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
# in build-sanitize/ and runs every test there; any report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
FORMULAR_BUILD_DIR="${FORMULAR_SANITIZE_DIR:-$root/build-sanitize}" \
    "$root/tools/build.sh" -DCMAKE_BUILD_TYPE=Debug -DFORMULAR_SANITIZE=ON
cd "${FORMULAR_SANITIZE_DIR:-$root/build-sanitize}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j"$(nproc)"
