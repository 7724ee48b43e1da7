#!/usr/bin/env bash
# Start time and memory of the game as a whole process, on Xvfb with openbox:
# the time from process start to the first painted board (median of 20
# starts, each with a fresh data folder) and the resident memory of the idle
# game one second after start.
#   bench/startup.sh [BUILD_DIR] [STARTS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
starts=${2:-20}
exec python3 "$here/startup_probe.py" "$build/app/kalmora" "$starts"
