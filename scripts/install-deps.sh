#!/usr/bin/env bash
# Installs the Debian packages Kalmora needs, only those that are missing.
#
#   scripts/install-deps.sh         what a player needs to build and run the game and kalmora-tool
#   scripts/install-deps.sh --dev   that, and what the tests, benchmarks and fuzzers add
#
# As root it runs apt-get itself. As any other user it runs "sudo apt-get" when
# sudo is there (sudo asks for the password as usual); without sudo it prints
# the one line to run as root and stops with exit status 1. Nothing else runs
# with raised rights.
set -euo pipefail

PLAYER_PACKAGES=(
    cmake ninja-build g++
    qt6-base-dev
    libboost-serialization1.81-dev libboost-iostreams1.81-dev
    libboost-filesystem1.81-dev libboost-program-options1.81-dev
    nlohmann-json3-dev zlib1g-dev
    fonts-liberation2
)

# Test frameworks, the fuzzers' compiler and runtime, and a virtual desktop
# with the tools that drive it and take screenshots, for the end-to-end tests
# and the checks of the desktop entry and metadata; a headless Wayland
# compositor and Qt's Wayland plugin for the test of the game on Wayland; a
# session bus and the accessibility bus with its Python client, for reading
# the game as a screen reader does.
DEVELOPER_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth openbox xdotool wmctrl x11-apps x11-utils libx11-dev imagemagick python3
    desktop-file-utils appstream
    weston qt6-wayland
    dbus at-spi2-core python3-pyatspi
)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            echo "$pkg"
        fi
    done
}

install_packages() {
    local install_line="apt-get update && apt-get install -y --no-install-recommends $*"
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: $*"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update
        apt-get install -y --no-install-recommends "$@"
    elif command -v sudo >/dev/null 2>&1; then
        echo "Installing missing packages with sudo: $*"
        if ! sudo apt-get update || ! sudo apt-get install -y --no-install-recommends "$@"; then
            echo "The install through sudo failed. Run as root:" >&2
            echo "  $install_line" >&2
            exit 1
        fi
    else
        echo "Kalmora needs Debian packages that are not installed, and sudo is not available." >&2
        echo "Run as root:" >&2
        echo "  $install_line" >&2
        echo "then start this script again." >&2
        exit 1
    fi
}

main() {
    local wanted=("${PLAYER_PACKAGES[@]}")
    case "${1:-}" in
    --dev) wanted+=("${DEVELOPER_PACKAGES[@]}") ;;
    "") ;;
    *)
        echo "usage: $0 [--dev]" >&2
        exit 2
        ;;
    esac
    local missing
    mapfile -t missing < <(missing_packages "${wanted[@]}")
    if [ "${#missing[@]}" -gt 0 ]; then
        install_packages "${missing[@]}"
    fi
}

main "$@"
