#!/usr/bin/env bash
# The Windows zip as a user gets it: its listing (the program with its icon,
# the help page, every sample spread and every picture of the report, in one
# folder), then one session under Wine from the unzipped folder: a reading
# cast there and its page and settings written beside the program. Runs on an
# X display (test-windows.sh starts Xvfb); Wine gets a fresh prefix.
#   unzipped.sh ZIP STONECALL-DRIVE.EXE
set -uo pipefail
zip=$1 driver=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fail() {
  echo "unzipped: $*" >&2
  exit 1
}

expected=$( { echo stonecall.exe; echo ReadMe.htm; ls "$root/spreads"; ls "$root/res/images" | sed 's|^|images/|'; } | sort)
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort)
[ "$listed" = "$expected" ] || fail "$zip holds"$'\n'"$listed"
source "$here/../sessions/wine_prefix.sh"
unzip -q "$zip" -d "$work/unzipped" || fail "cannot unzip $zip"
cd "$work"/unzipped/* || exit 99
# A group icon (resource type 14) for Explorer to show.
i686-w64-mingw32-objdump -p stonecall.exe | grep -qE '^[0-9a-f]{3}   Entry: ID: 0x00000e,' || fail "stonecall.exe has no icon"

# No debugger waits on a crash, and a hang ends after three minutes.
timeout -k 5 180 wine "$driver" "Z:$here/reading.script" stonecall.exe 2>stderr.txt
status=$?
[ "$status" = 124 ] || [ "$status" = 137 ] && fail "still running after 180 s, stopped: a hang"
[ "$status" = 1 ] || { cat stderr.txt >&2; fail "exit status $status, expected 1"; }
[ -s RUNE.HTM ] && [ -s qmsc98.ini ] || fail "no reading or settings written in the unzipped folder"
echo "unzipped: the zip's listing as expected, a reading cast in its folder under Wine"
