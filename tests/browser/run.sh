#!/bin/sh
# The reading's web page in a real browser: the program, driven by a script
# without a display, writes RUNE.HTM for a spread (ONE.SCS, as the program
# writes one) whose meanings hold the bold a spread author may mean and, as its
# title does, a script; headless Chromium then opens it beside a copy of the
# report's images.
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
cp "$here/ONE.SCS" "$dir/"
status=0
(cd "$dir" && STONECALL_DRIVER=headless STONECALL_SCRIPT="$source/tests/install/reading.script" "$program") || status=$?
if [ "$status" != 1 ]; then
    echo "the program ended with $status writing the page" >&2
    exit 1
fi
NODE_PATH="$node/node_modules" node "$here/check_report.js" "$dir/RUNE.HTM"
