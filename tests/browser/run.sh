#!/bin/sh
# The reading's web page in a real browser: the program, driven by a script
# without a display, writes RUNE.HTM for a spread whose meanings hold the bold
# a spread author may mean and, as its title does, a script; headless Chromium
# then opens it beside a copy of the report's images.
#   run.sh PROGRAM SOURCE_DIR NODE_DIR
# NODE_DIR receives the locked Playwright (npm ci) when it lacks it.
set -eu
program=$1 source=$2 node=$3
here=$source/tests/browser

mkdir -p "$node"
if ! cmp -s "$here/package-lock.json" "$node/package-lock.json" || [ ! -d "$node/node_modules/playwright-core" ]; then
    cp "$here/package.json" "$here/package-lock.json" "$node/"
    (cd "$node" && npm ci --no-audit --no-fund --loglevel=error)
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp -r "$source/res/images" "$dir/images"
printf 'ShowEditHelp=1\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n' >"$dir/qmsc98.ini"
# A spread file as the program writes it: CR LF line ends, meanings ended by '*'.
{
    printf '\r\nSpread Data File Created By Quenmire Stonecall V1.10\r\n\r\nversion=1100\r\n'
    printf 'title=<script>window.injected=1</script>\r\n'
    printf 'runemeaning0=What is <B>strong</B> in you <img src=x onerror="window.injected=2">*\r\n'
    printf 'runemeaning1=<script>window.injected=3</script><B onclick="x">b</B>*\r\n'
    printf 'rune0x=40\r\nrune0y=40\r\nrune1x=200\r\nrune1y=40\r\nNumCards=2\r\n\r\n'
} >"$dir/ONE.SCS"
status=0
(cd "$dir" && STONECALL_DRIVER=headless STONECALL_SCRIPT="$here/reading.script" "$program") || status=$?
if [ "$status" != 1 ]; then
    echo "the program ended with $status writing the page" >&2
    exit 1
fi
NODE_PATH="$node/node_modules" node "$here/check_report.js" "$dir/RUNE.HTM"
