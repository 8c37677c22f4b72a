#!/usr/bin/env bash
# Builds the viewer, writes the demo catalogues and starts Marlinex on them with a private settings folder,
# so the user's own settings are never touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${MARLINEX_BUILD:-$top/build}
demo=$build/demo
config=$build/demo-config
if [ -x "$build/bin/marlinex-demo" ]; then
  "$build/bin/marlinex-demo" "$demo/data"
fi
mkdir -p "$config"
if [ ! -f "$config/Marlinex2007.ini" ]; then
  printf '[Option]\r\nLanguage=%s\r\nSavePath=%s\r\n' "${MARLINEX_LANGUAGE:-0}" "$demo/data/" > "$config/Marlinex2007.ini"
fi
export XDG_CONFIG_HOME=$config
exec "$build/bin/Marlinex" "$@"
