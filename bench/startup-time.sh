#!/usr/bin/env bash
# The time from the start of the game's process to its first painted board,
# as a player would see it: under a private virtual X server (Xvfb), with an
# empty data folder (a first start), RUNS times; prints every run and the
# median in milliseconds.
#
#   bench/startup-time.sh [RUNS]        (default 21; needs a normal build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-21}"
game="build/app/kalmora"
probe="build/bench/first_paint_probe"
for f in "$game" "$probe"; do
    if [ ! -x "$f" ]; then
        echo "startup-time: $f is missing; build first (cmake --build build)" >&2
        exit 1
    fi
done

work="$(mktemp -d)"
display_number=$((90 + RANDOM % 100))
Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

times=()
for i in $(seq "$runs"); do
    rm -rf "$work/data"
    ms="$(LOCALAPPDATA="$work/data" "$probe" "$game")"
    times+=("$ms")
    echo "run $i: $ms ms"
done
median="$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}')"
echo "median of $runs runs: $median ms from process start to the first painted board"
