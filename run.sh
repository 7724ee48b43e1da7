#!/usr/bin/env bash
# Installs what a player needs, builds the game and kalmora-tool (no tests),
# and starts the game. Run it as yourself: only apt-get runs through sudo.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/configure.sh

bash scripts/install-deps.sh

kalmora_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALMORA_DEVELOPER=OFF
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [[ "${QT_QPA_PLATFORM:-}" != offscreen* ]]; then
    echo "Kalmora is a desktop game and needs a desktop session (no display found); without one, use build/tools/kalmora-tool (see build/tools/kalmora-tool --help)." >&2
    exit 1
fi
exec build/app/kalmora
