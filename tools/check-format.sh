#!/usr/bin/env bash
# Checks that every C++ source is formatted as .clang-format says; with
# --fix, formats them in place instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${sources[@]}"
else
    clang-format --dry-run --Werror "${sources[@]}"
    echo "format: ${#sources[@]} sources as .clang-format says"
fi
