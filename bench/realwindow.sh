#!/usr/bin/env bash
# What the real window costs, measured on a virtual X server of its own
# (tests/xvfb/with-xvfb.sh) with the SDL driver, in a fresh working folder
# whose settings turn the start banner off and load no spread at start:
#   start-up     from starting the program to its main window fully drawn on
#                the X screen, median of 5 runs
#   idle CPU     the share of one core it takes over 30 s with the main window
#                open and nothing happening
#   peak memory  the most resident memory it held (VmHWM) through start-up and
#                those 30 s
# Usage: bench/realwindow.sh PROGRAM   (./bench.sh passes build-bench/stonecall)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath -- "${1:?usage: realwindow.sh PROGRAM}")
[ -n "${XVFB_FBDIR:-}" ] || exec "$here/../tests/xvfb/with-xvfb.sh" "$0" "$@"

export STONECALL_DRIVER=sdl
idle_seconds=${IDLE_SECONDS:-30}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
printf 'Ini file for QM Stonecall V1.10\r\n\r\nShowEditHelp=1\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n' >qmsc98.ini

now_ms() { date +%s%3N; }

# Start-up: until the first frame with the main window shows on the X screen:
# its active caption (navy) beside the title. The program draws its whole
# main window before its own one-second pause at start, in that first frame.
fb=$XVFB_FBDIR/Xvfb_screen0
header=($(od -An -tu4 --endian=big -N 100 -v "$fb"))
pixels_at=$((header[0] + header[19] * 12)) bytes_per_line=${header[12]}
pixel() { # X Y on the screen: RRGGBB
  od -An -tx1 -v -j $((pixels_at + $2 * bytes_per_line + $1 * 4)) -N 3 "$fb" | awk '{print $3 $2 $1}'
}
# The OS window opens centred on the 1280 x 1024 screen.
caption_x=$((128 + 400)) caption_y=$((128 + 8))
times=()
for _ in 1 2 3 4 5; do
  start=$(now_ms)
  "$program" >/dev/null 2>&1 &
  pid=$!
  until [ "$(pixel $caption_x $caption_y)" = 000080 ]; do
    kill -0 "$pid" 2>/dev/null || { echo "realwindow: the program ended before its main window showed" >&2; exit 1; }
  done
  times+=($(( $(now_ms) - start )))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
startup=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)

# Idle: the main window open, nothing happening.
"$program" >/dev/null 2>&1 &
pid=$!
xdotool search --sync --name 'Stonecall' >/dev/null
sleep 1
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep "$idle_seconds"
after=$(ticks)
peak_kib=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true
hz=$(getconf CLK_TCK)

echo "start-up to the main window drawn: ${startup} ms (median of ${times[*]} ms; budget 200 ms)"
awk -v t=$((after - before)) -v hz="$hz" -v s="$idle_seconds" \
  'BEGIN { printf "idle CPU over %d s: %.2f %% of one core (budget 1 %%)\n", s, 100 * t / hz / s }'
awk -v k="$peak_kib" 'BEGIN { printf "peak resident memory: %.1f MiB (budget 40 MiB)\n", k / 1024 }'
