#!/usr/bin/env bash
# Builds and runs the benchmarks (every program of bench/*/; a pattern picks some: scripts/bench.sh discovery).
# Each prints its figure and its ratio to a floor measured in the same run. Large data folders are written
# once into build/bench-data and reused.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${MARLINEX_BUILD:-$top/build}
export MARLINEX_BENCH_DATA=${MARLINEX_BENCH_DATA:-$build/bench-data}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$build"
while read -r program; do
  [ -n "$program" ] || continue
  case "$(basename "$program")" in *${1:-}*) ;; *) continue ;; esac
  echo "== $(basename "$program")"
  "$program"
done < "$build/benchmarks.txt"
