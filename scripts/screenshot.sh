#!/usr/bin/env bash
# Renders the screenshot shown in the README from the built game, on Xvfb.
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
output=${2:-$here/data/screenshot.png}
PYTHONDONTWRITEBYTECODE=1 python3 "$here/tests/e2e/take_screenshot.py" "$build/app/kalmora" "$output"
echo "written: $output"
