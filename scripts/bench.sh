#!/usr/bin/env bash
# Builds and runs every benchmark (bench/*/), each printing its figure and its ratio to a floor measured in the
# same run. The large data folders are written once into build/bench-data and reused.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${MARLINEX_BUILD:-$top/build}
export MARLINEX_BENCH_DATA=${MARLINEX_BENCH_DATA:-$build/bench-data}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for program in "$build"/bin/*-bench; do
  echo "== $(basename "$program")"
  "$program"
done
