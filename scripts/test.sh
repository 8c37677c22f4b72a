#!/usr/bin/env bash
# Builds everything and runs every test (windows on Qt's offscreen platform).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${MARLINEX_BUILD:-$top/build}
export QT_QPA_PLATFORM=offscreen
cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@"
