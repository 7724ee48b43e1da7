#!/usr/bin/env bash
# Sourced by run.sh and test.sh. kalmora_configure DIR [cmake options...]
# configures the build folder DIR with ccache when it is there. A new folder
# gets Ninja; a folder configured earlier keeps the generator it was made with
# (CMake refuses to switch generators in place), so an old Make folder works.

kalmora_configure() {
    local dir=$1
    shift
    local options=("$@")
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        options+=(-G Ninja)
    fi
    if command -v ccache >/dev/null 2>&1; then
        options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$dir" "${options[@]}"
}
