#!/usr/bin/env bash
# Installs the Debian packages Kalmora needs to build, test and run.
# Sourced by run.sh and test.sh; installs only what is missing.
set -euo pipefail

KALMORA_PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-qpa-plugins
    libboost-serialization1.81-dev libboost-iostreams1.81-dev
    libboost-filesystem1.81-dev libboost-program-options1.81-dev
    nlohmann-json3-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    xvfb xauth imagemagick
    openbox xdotool x11-utils python3
    desktop-file-utils appstream
)

missing_packages() {
    local pkg
    for pkg in "${KALMORA_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            echo "$pkg"
        fi
    done
}

install_missing_packages() {
    local missing
    mapfile -t missing < <(missing_packages)
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Kalmora needs Debian packages that are not installed. Run as root:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        echo "then start this script again." >&2
        exit 1
    fi
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing_packages
