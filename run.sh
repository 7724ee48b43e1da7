#!/usr/bin/env bash
# Installs what is missing, builds Kalmora and starts the game.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -x build/app/kalmora ]; then
    exec build/app/kalmora "$@"
fi
echo "The game window is not built yet; starting kalmora-tool, the command-line companion, instead."
build/tools/kalmora-tool --help
