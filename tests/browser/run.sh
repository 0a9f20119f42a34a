#!/bin/sh
# The reading's web page in a real browser: the program, driven by a script
# without a display, writes RUNE.HTM for two spreads (one with the bold a
# spread author may mean, one whose title and meanings carry a script), each
# beside a copy of the report's images; headless Chromium then opens both.
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

# A spread file as the program writes it: CR LF line ends, meanings ended by '*'.
spread() {
    printf '\r\nSpread Data File Created By Quenmire Stonecall V1.10\r\n\r\nversion=1100\r\ntitle=%s\r\n' "$2"
    printf 'runemeaning0=%s*\r\nrunemeaning1=%s*\r\n' "$3" "$4"
    printf 'rune0x=40\r\nrune0y=40\r\nrune1x=200\r\nrune1y=40\r\nNumCards=2\r\n\r\n'
}
write_page() {
    mkdir -p "$dir/$1"
    cp -r "$source/res/images" "$dir/$1/images"
    printf '\r\n\r\nIni file for QM Stonecall V1.10\r\n\r\n\r\nShowEditHelp=1\r\nShowStartBanner=0\r\nDefaultStartUpSpread=\r\n' \
        >"$dir/$1/qmsc98.ini"
    spread "$@" >"$dir/$1/ONE.SCS"
    status=0
    (cd "$dir/$1" && STONECALL_DRIVER=headless STONECALL_SCRIPT="$here/reading.script" "$program") || status=$?
    if [ "$status" != 1 ]; then
        echo "the program ended with $status writing the $1 page" >&2
        exit 1
    fi
}

write_page formatted 'Plain &amp; simple' 'What is <B>strong</B> in you' 'What comes'
write_page hostile '<script>window.injected=1</script>' \
    '<img src=x onerror="window.injected=2">' '<script>window.injected=3</script><B onclick="x">b</B>'

NODE_PATH="$node/node_modules" node "$here/check_report.js" "$dir/formatted/RUNE.HTM" "$dir/hostile/RUNE.HTM"
