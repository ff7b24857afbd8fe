#!/usr/bin/env bash
# Builds and runs the benchmarks (offscreen) and prints their figures.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
build="${FORMULAR_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
for bench in "$build"/bench/bench_*; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    case "$(basename "$bench")" in
        bench_startup) "$bench" ;;
        *) "$bench" -silent 2>&1 | grep -E "RESULT|msecs|FAIL" -A1 | grep -v "^--" || true ;;
    esac
done
