#!/usr/bin/env bash
# The long soak: soak/run.sh [ACTIONS] [SEED]
# Builds the program optimised, without sanitizers, in build-soak/ and walks
# it through ACTIONS random user actions (default 20000, seed 1) in one long
# start of the program, checking that resident memory stays flat; then the
# same walk, a fifth as long, under AddressSanitizer and UBSan in build/.
# A failure names the seed, the session, the action and the kept script.
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-20000}
seed=${2:-1}
jobs=${SOAK_JOBS:-2}

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=Release -DSTONECALL_SANITIZE=OFF -DSTONECALL_TESTS=OFF >/dev/null
cmake --build build-soak -j "$jobs" --target stonecall_soak
echo "== optimised, $actions actions, seed $seed, memory checked"
build-soak/stonecall_soak --actions "$actions" --seed "$seed" --session-actions "$actions" --check-memory

cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DSTONECALL_SANITIZE=ON -DSTONECALL_TESTS=ON >/dev/null
cmake --build build -j "$jobs" --target stonecall_soak
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
sanitized=$(( actions / 5 > 0 ? actions / 5 : 1 ))
echo "== sanitizers, $sanitized actions, seed $seed"
build/stonecall_soak --actions "$sanitized" --seed "$seed" --session-actions 2000
