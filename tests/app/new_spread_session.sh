#!/bin/sh
# The README's walk-through, docs/new-spread.script, run headless in a fresh
# folder: the program must end with 1, the new spread file must hold exactly
# what the writer stores for its three positions and meanings, and the report
# must be there with the spread's title and meanings.
#   new_spread_session.sh PROGRAM SCRIPT
set -u
program=$1 script=$2
dir=$(mktemp -d) || exit 99
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 99

STONECALL_DRIVER=headless STONECALL_SCRIPT="$script" "$program"
got=$?
if [ "$got" != 1 ]; then
    echo "exit status $got, expected 1" >&2
    exit 1
fi

{
    printf '\r\nSpread Data File Created By Quenmire Stonecall V1.10\r\n\r\nversion=1100\r\ntitle=Three Norns'
    printf '\r\nrunemeaning0=What was*\r\nrunemeaning1=What is*\r\nrunemeaning2=What shall be*'
    for i in 3 4 5 6 7 8 9 10 11 12 13 14; do printf '\r\nrunemeaning%d=*' "$i"; done
    printf '\r\nrune0x=200\r\nrune0y=50\r\nrune1x=320\r\nrune1y=50\r\nrune2x=440\r\nrune2y=50'
    for i in 3 4 5 6 7 8 9 10 11 12 13 14; do printf '\r\nrune%dx=0\r\nrune%dy=0' "$i" "$i"; done
    printf '\r\nNumCards=3\r\n\r\n'
} >expected.SCS

if ! cmp NORNS.SCS expected.SCS; then
    echo "NORNS.SCS is not what the writer stores:" >&2
    od -c NORNS.SCS | head -40 >&2
    exit 1
fi
for text in "Three Norns" "What was" "What is" "What shall be"; do
    if ! grep -qF -- "$text" RUNE.HTM; then
        echo "RUNE.HTM lacks: $text" >&2
        exit 1
    fi
done
exit 0
