#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers in build-bench/ and
# runs each of them, then measures the real window (bench/realwindow.sh).
# Extra arguments go to every benchmark program, e.g.
#   ./bench.sh --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
set -euo pipefail
cd "$(dirname "$0")"

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSTONECALL_SANITIZE=OFF -DSTONECALL_TESTS=OFF \
  -DSTONECALL_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)"

for program in build-bench/bench/*_bench; do
  "$program" "$@"
done
# The real window on a virtual X server: start-up, idle CPU, peak memory.
bench/realwindow.sh build-bench/stonecall
# A reading's cast in the real window on the real clock: its CPU time.
bench/cast_cpu.sh build-bench/stonecall
