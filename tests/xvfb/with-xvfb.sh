#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, with no window manager.
# The server picks a free display itself (-displayfd), so tests running side
# by side never race for one. XVFB_DPI sets its dots per inch (96 unless told);
# the screen is readable as an XWD file in $XVFB_FBDIR (packaging/show-installed.sh).
set -euo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -dpi "${XVFB_DPI:-96}" -fbdir "$dir" -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
# The server writes its display number once it accepts clients.
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  kill -0 "$server" 2>/dev/null || { cat "$dir/log" >&2; exit 1; }
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "with-xvfb: the virtual X server did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")" XVFB_FBDIR="$dir"
"$@"
