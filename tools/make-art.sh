#!/usr/bin/env bash
# Makes every picture again: builds the generator in build-tools/ and runs it from
# the repository root, writing res/bitmaps, res/images, res/icons and docs/contact-sheet.png.
# Then runs it twice more into temporary folders and compares, to show the output
# is the same bytes on every run.
set -euo pipefail
cd "$(dirname "$0")/.."

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FONT_PACKAGES[@]}"

# The generator alone: it needs none of the program.
cmake -S tools/artgen -B build-tools -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-tools -j 2
./build-tools/artgen .

first=$(mktemp -d) second=$(mktemp -d)
trap 'rm -rf "$first" "$second"' EXIT
./build-tools/artgen "$first" >/dev/null
./build-tools/artgen "$second" >/dev/null
if diff -r "$first" "$second" >/dev/null && diff -r "$first/res/bitmaps" res/bitmaps >/dev/null &&
   diff -r "$first/res/images" res/images >/dev/null && diff -r "$first/res/icons" res/icons >/dev/null; then
  echo "deterministic: two more runs gave the same $(find "$first" -type f | wc -l) files, byte for byte"
else
  echo "NOT deterministic: the runs differ" >&2
  exit 1
fi
