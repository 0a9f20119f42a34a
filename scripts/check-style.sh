#!/usr/bin/env bash
# The style checks ./test.sh runs: clang-format's layout on every C++ file
# (.clang-format; the Win32 headers keep their own columns) and clang-tidy's
# checks (.clang-tidy) on the program's folders and the layer, with the
# compile commands of BUILD_DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs -d '\n' clang-format --dry-run -Werror

# The Windows script driver compiles only in the Windows build.
git ls-files -- app util settings runes editor gfx platform | grep '\.cpp$' | grep -v '^platform/win32drive/' |
  xargs -d '\n' -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
