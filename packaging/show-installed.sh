#!/usr/bin/env bash
# On a virtual X server (tests/xvfb/with-xvfb.sh): starts `stonecall` from PATH
# in a fresh HOME; once the main window shows past the banner it saves the X
# screen as PNG, and the program exits through its File menu.
#   show-installed.sh PNG
set -euo pipefail
png=$(realpath -- "$1")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cd "$home"
cat >steps.txt <<'STEPS'
wait 5000
expect-window Quenmire Stonecall V1.1
screenshot shown.png
wait 3000
menu File Exit
STEPS
HOME=$home STONECALL_SCRIPT=$home/steps.txt stonecall &
program=$!
# The program's own screenshot says the main window is in front; the X
# screen then shows what its window shows.
for _ in $(seq 200); do
  [ -s shown.png ] || ! kill -0 "$program" 2>/dev/null && break
  sleep 0.05
done
[ -s shown.png ] || { echo "show-installed: the main window never came" >&2; exit 1; }
xdotool search --name '^Quenmire Stonecall V1.1$' >/dev/null || { echo "show-installed: no X window titled after the main window" >&2; exit 1; }
xwdtopnm "$XVFB_FBDIR/Xvfb_screen0" 2>/dev/null | pnmtopng -compression 9 >"$png"
status=0
wait "$program" || status=$?
[ "$status" = 1 ] || { echo "show-installed: exit status $status, expected 1" >&2; exit 1; }
[ -s "$home/Documents/Stonecall/ReadMe.htm" ] || { echo "show-installed: no user's folder" >&2; exit 1; }
