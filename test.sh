#!/usr/bin/env bash
# Builds Stonecall with AddressSanitizer and UndefinedBehaviorSanitizer in build/
# and runs every test, then each fuzzer for a short while (fuzz/run.sh).
# Installs the Debian packages it needs when any is missing.
set -euo pipefail
cd "$(dirname "$0")"

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${STYLE_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DSTONECALL_SANITIZE=ON -DSTONECALL_TESTS=ON -DSTONECALL_BENCH=ON >/dev/null
cmake --build build -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
ctest --test-dir build --output-on-failure -j "$jobs"

# The layout of every C++ file and clang-tidy's checks (.clang-format, .clang-tidy).
./scripts/check-style.sh build

# A short smoke of every fuzzer (clang, libFuzzer) in build-fuzz/: about 20
# seconds each, one after the other; any finding fails the run.
./fuzz/run.sh "${FUZZ_SECONDS:-20}"
