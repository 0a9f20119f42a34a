#!/usr/bin/env bash
# Makes the README's pictures of a reading without a display: the program,
# driven by a script on the virtual clock, casts the sample Five-Rune Cross,
# and the desktop is written as docs/reading.png, then with the detail screen
# of the middle rune as docs/rune-detail.png. The runes differ from run to run.
#   docs/screenshots.sh [PROGRAM]     (default build/stonecall)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$here/build/stonecall}")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$here/spreads/CROSS.SCS" "$dir/"
printf '\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n' \
    >"$dir/qmsc98.ini"
cat >"$dir/shots.script" <<SCRIPT
menu Spread Run
select 104 0
click 1
click 101
expect-window Quenmire Stonecall V1.1 - The Five-Rune Cross
screenshot $here/docs/reading.png
clickat 500 340
screenshot $here/docs/rune-detail.png
click 1
menu File Exit
SCRIPT
status=0
(cd "$dir" && STONECALL_DRIVER=headless STONECALL_SCRIPT="$dir/shots.script" "$program") || status=$?
[ "$status" = 1 ] || { echo "the program ended with $status" >&2; exit 1; }
echo "wrote docs/reading.png and docs/rune-detail.png"
