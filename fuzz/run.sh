#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz/ and runs them one after the
# other (never two at once), each seeded from fuzz/corpus/<name>/, and fails
# on the first finding (TESTING.md, "Running the fuzzers").
#   fuzz/run.sh [SECONDS] [NAME...]    each fuzzer (or the NAMEs) for SECONDS, default 20
#   FUZZ_RUNS=1000000 fuzz/run.sh 0    each fuzzer for that many executions instead
set -euo pipefail
cd "$(dirname "$0")/.."

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

seconds=${1:-20}
shift || true
runs=${FUZZ_RUNS:--1}

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSTONECALL_FUZZ=ON -DSTONECALL_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target fuzzers >/dev/null

names=("$@")
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(ls fuzz/*_fuzzer.cpp | sed 's|^fuzz/\(.*\)_fuzzer\.cpp$|\1|')

root=$PWD
mkdir -p build-fuzz/findings build-fuzz/logs
# The fuzzers' own files; a run stopped by a finding leaves them behind.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

# The longest input: a little over the longest real file for the readers that
# read a byte per call, a whole rune picture for the bitmap decoder, else 4096.
declare -A max_len=([inifile]=256 [labelstore_file]=1200 [dib]=32768)

printf '%-18s %12s %8s %10s\n' fuzzer executions seconds per-second
for name in "${names[@]}"; do
  fuzzer=build-fuzz/fuzz/fuzz_$name
  [ -x "$fuzzer" ] || { echo "no fuzzer named $name" >&2; exit 2; }
  mkdir -p "build-fuzz/corpus/$name"
  log=build-fuzz/logs/$name.log
  start=$(date +%s)
  # Low priority: the machine is shared with builds and other tests.
  if ! TMPDIR=$scratch nice -n 19 "$fuzzer" "build-fuzz/corpus/$name" "fuzz/corpus/$name" \
      -max_total_time="$seconds" -runs="$runs" -max_len="${max_len[$name]:-4096}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$root/build-fuzz/findings/$name-" >"$log" 2>&1; then
    echo "FINDING in $name: see $log and build-fuzz/findings/" >&2
    grep -E "ERROR|fuzz check failed|SUMMARY|Test unit written" "$log" >&2 || tail -20 "$log" >&2
    exit 1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-18s %12s %8s %10s\n' "$name" "$executions" "$(($(date +%s) - start))" \
    "$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
done
