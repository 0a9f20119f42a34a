#!/usr/bin/env bash
# The CPU a reading's cast costs, with the real window (SDL) under Xvfb and
# the real clock: the cast takes its 14 seconds or more of calendar time, and
# should spend under 0.2 s of one core in them, asleep between the seconds.
#
#   bench/cast_cpu.sh [PROGRAM]      (default build-bench/stonecall, as ./bench.sh builds it)
#
# The program runs twice under the same script but for the cast: once choosing
# a spread and casting it, once cancelling the chooser. Each run's user and
# system time are read from the kernel when it ends (GNU time); the difference
# is what the casting screen, the cast and the drawing of the reading cost.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$here/build-bench/stonecall}")

if [ ! -x "$program" ]; then
    echo "no program at $program: run ./bench.sh first" >&2
    exit 2
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$here/spreads/CROSS.SCS" "$dir/"
printf '\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n' \
    >"$dir/qmsc98.ini"
cat >"$dir/cast.script" <<'SCRIPT'
menu Spread Run
select 104 0
click 1
click 101
menu File Exit
SCRIPT
cat >"$dir/cancel.script" <<'SCRIPT'
menu Spread Run
click 2
menu File Exit
SCRIPT

# Prints "user system elapsed" in seconds for one run under its script.
measure() {
    local status=0
    # Timed inside xvfb-run, so the X server's own work is not counted.
    (cd "$dir" && STONECALL_DRIVER=sdl STONECALL_SCRIPT="$dir/$1.script" \
        xvfb-run -a -s '-screen 0 1024x768x24' \
        /usr/bin/time -f '%U %S %e' -o "$dir/$1.time" "$program") >/dev/null 2>"$dir/$1.err" || status=$?
    if [ "$status" != 1 ]; then
        echo "the $1 run ended with status $status:" >&2
        cat "$dir/$1.err" >&2
        exit 1
    fi
    tail -n 1 "$dir/$1.time"
}

read -r cast_user cast_sys cast_real < <(measure cast)
read -r base_user base_sys base_real < <(measure cancel)
awk -v cu="$cast_user" -v cs="$cast_sys" -v cr="$cast_real" -v bu="$base_user" -v bs="$base_sys" -v br="$base_real" 'BEGIN {
    cpu = (cu + cs) - (bu + bs)
    printf "run with a cast:    %.2f s CPU (user %.2f, system %.2f) in %.1f s\n", cu + cs, cu, cs, cr
    printf "run without a cast: %.2f s CPU (user %.2f, system %.2f) in %.1f s\n", bu + bs, bu, bs, br
    printf "the cast:           %.2f s CPU in %.1f s (target under 0.20 s)\n", cpu, cr - br
    exit !(cpu < 0.2)
}'
