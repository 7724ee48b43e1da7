#!/usr/bin/env bash
# Installs what a player needs, builds the game and kalmora-tool (no tests),
# and starts the game. Run it as yourself: only apt-get runs through sudo.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/configure.sh

bash scripts/install-deps.sh

kalmora_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALMORA_DEVELOPER=OFF
cmake --build build -j "$(nproc)"

if [ -x build/app/kalmora ]; then
    exec build/app/kalmora "$@"
fi
echo "The game window is not built yet; starting kalmora-tool, the command-line companion, instead."
build/tools/kalmora-tool --help
