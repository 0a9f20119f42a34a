#!/bin/sh
# Runs the built program in a fresh folder and checks its exit status and,
# optionally, a text its standard error must contain.
#   run_program.sh PROGRAM STATUS SCRIPT|- [STDERR_TEXT] -- [ARGUMENTS...]
# SCRIPT "-" runs without STONECALL_DRIVER and without a display.
set -u
program=$1 want=$2 script=$3 text=$4
shift 5
dir=$(mktemp -d) || exit 99
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 99
if [ "$script" = "-" ]; then
    env -u DISPLAY -u WAYLAND_DISPLAY -u STONECALL_DRIVER "$program" "$@" 2>stderr.txt
else
    STONECALL_DRIVER=headless STONECALL_SCRIPT="$script" "$program" "$@" 2>stderr.txt
fi
got=$?
cat stderr.txt >&2
if [ "$got" != "$want" ]; then
    echo "exit status $got, expected $want" >&2
    exit 1
fi
if [ -n "$text" ] && ! grep -qF -- "$text" stderr.txt; then
    echo "standard error lacks: $text" >&2
    exit 1
fi
exit 0
