#!/usr/bin/env bash
# The long soak: soak/run.sh [ACTIONS] [SEED] (default 20000, seed 1). ACTIONS
# random user actions in one start of the program, built optimised in
# build-soak/, with its resident memory checked; then a fifth as many, a new
# start every 2000, under the sanitizers in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-20000} seed=${2:-1}
source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=Release -DSTONECALL_SANITIZE=OFF -DSTONECALL_TESTS=OFF >/dev/null
cmake --build build-soak -j "${SOAK_JOBS:-2}" --target stonecall_soak
build-soak/stonecall_soak --actions "$actions" --seed "$seed" --session-actions "$actions" --check-memory
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DSTONECALL_SANITIZE=ON -DSTONECALL_TESTS=ON >/dev/null
cmake --build build -j "${SOAK_JOBS:-2}" --target stonecall_soak
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
build/stonecall_soak --actions $((actions / 5 > 0 ? actions / 5 : 1)) --seed "$seed" --session-actions 2000
