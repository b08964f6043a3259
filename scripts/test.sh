#!/bin/sh
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh            release build in build/release
#   scripts/test.sh sanitize   the same suite built with AddressSanitizer and UBSan
set -eu
cd "$(dirname "$0")/.."

./scripts/setup.sh

mode="${1:-release}"
jobs="$(nproc 2>/dev/null || echo 2)"

case "$mode" in
release)
    dir=build/release
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ;;
sanitize)
    dir=build/sanitize
    flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLT_BUILD_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp"
    ;;
*)
    echo "usage: scripts/test.sh [release|sanitize]" >&2
    exit 2
    ;;
esac

cmake --build "$dir" -j "$jobs"
ctest --test-dir "$dir" --output-on-failure -j "$jobs"
