#!/usr/bin/env bash
# Installs what is missing, builds Kalmora and starts the game.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [[ "${QT_QPA_PLATFORM:-}" != offscreen* ]]; then
    echo "Kalmora is a desktop game and needs a desktop session (no display found); without one, use build/tools/kalmora-tool (see build/tools/kalmora-tool --help)." >&2
    exit 1
fi
exec build/app/kalmora
