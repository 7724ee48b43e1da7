#!/usr/bin/env bash
# Installs what the tests need, builds Kalmora and runs every test headless:
# a normal build, one under AddressSanitizer and UndefinedBehaviorSanitizer,
# and, when clang is there, every libFuzzer target for a bounded time.
#
#   ./test.sh           all of the above
#   ./test.sh --quick   the normal build's tests alone
#
# KALMORA_FUZZ_SECONDS (default 30) is the fuzzing time per file reader.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/configure.sh

quick=false
case "${1:-}" in
--quick) quick=true ;;
"") ;;
*)
    echo "usage: $0 [--quick]" >&2
    exit 2
    ;;
esac

bash scripts/install-deps.sh --dev

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)

echo "== normal build"
kalmora_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALMORA_DEVELOPER=ON
cmake --build build -j "$jobs"
# Tests declared with kalmora_add_test carry their own limit; --timeout covers any other.
ctest --test-dir build --output-on-failure --timeout 300 -j "$jobs"
if $quick; then
    exit 0
fi

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
kalmora_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DKALMORA_DEVELOPER=ON \
    -DKALMORA_SANITIZE=ON -DKALMORA_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure --timeout 600 -j "$jobs"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "== fuzzers skipped: clang++ is not installed"
    exit 0
fi
echo "== libFuzzer targets, ${KALMORA_FUZZ_SECONDS:-30} s per reader"
CXX=clang++ kalmora_configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALMORA_DEVELOPER=ON -DKALMORA_BENCHMARKS=OFF -DKALMORA_FUZZERS=ON \
    -DKALMORA_FUZZ_SECONDS="${KALMORA_FUZZ_SECONDS:-30}"
cmake --build build-fuzz -j "$jobs" --target kalmora_fuzzers
ctest --test-dir build-fuzz --output-on-failure -L fuzz
