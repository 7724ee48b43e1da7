#!/usr/bin/env bash
# The time from the start of the game's process to its first painted board,
# as a player would see it, and the resident memory (VmRSS) of the idle game
# one second after its start: under a private virtual X server (Xvfb), with
# an empty data folder (a first start), RUNS times; prints every run and the
# medians, with the load average, since other work on the machine slows it.
# --scale S runs the game at Qt's scale factor S (QT_SCALE_FACTOR) on a screen
# S times the size, as on a scaled desktop.
#
#   bench/startup-time.sh [--scale S] [RUNS]   (default 1 and 21; needs a normal build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."

scale=1
if [ "${1:-}" = "--scale" ]; then
    scale="${2:?startup-time: --scale needs a factor}"
    shift 2
fi
runs="${1:-21}"
screen="$(awk -v s="$scale" 'BEGIN {printf "%dx%d", 1280 * s, 1024 * s}')"
game="build/app/kalmora"
probe="build/bench/first_paint_probe"
for f in "$game" "$probe"; do
    if [ ! -x "$f" ]; then
        echo "startup-time: $f is missing; build first (cmake --build build)" >&2
        exit 1
    fi
done

work="$(mktemp -d)"
# Xvfb picks a free display number itself and writes it to the pipe.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 "${screen}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r -t 10 display_number <&"$display_fd"
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
if [ "$scale" != 1 ]; then
    export QT_SCALE_FACTOR="$scale"
fi
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

median() {
    sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'
}

echo "scale factor $scale on a $screen screen"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
times=()
memory=()
for i in $(seq "$runs"); do
    rm -rf "$work/data"
    read -r ms kib < <(LOCALAPPDATA="$work/data" "$probe" "$game")
    times+=("$ms")
    memory+=("$kib")
    echo "run $i: $ms ms, $kib KiB resident"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
ms_median="$(printf '%s\n' "${times[@]}" | median)"
kib_median="$(printf '%s\n' "${memory[@]}" | median)"
echo "median of $runs runs: $ms_median ms from process start to the first painted board"
echo "median of $runs runs: $kib_median KiB ($(awk -v k="$kib_median" 'BEGIN {printf "%.1f", k / 1024}') MiB) resident one second after the start"
