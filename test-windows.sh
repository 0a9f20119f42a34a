#!/usr/bin/env bash
# Builds the Windows program and runs the scripted sessions of
# tests/sessions/sessions.list under Wine, on a virtual X display with a fresh
# Wine prefix, and headless on the Linux build; then compares what both wrote.
# Last, the zip's listing, and one session from the unzipped folder.
# Installs MinGW-w64, Wine (32-bit, through Debian's i386 architecture) and
# Xvfb when any is missing.
set -euo pipefail
cd "$(dirname "$0")"

source ./scripts/packages.sh
ensure_architecture i386
# The Linux side runs headless: the build and the fonts, not the real window's test tools.
ensure_packages "${BUILD_PACKAGES[@]}" "${FONT_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"

./build-windows.sh
# The Linux program as test.sh builds it.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DSTONECALL_SANITIZE=ON -DSTONECALL_TESTS=ON -DSTONECALL_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)" --target stonecall

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
xvfb-run -a -s "-screen 0 1024x768x24" tests/sessions/both_builds.sh "$PWD/build/stonecall" "$PWD/build-windows"
# The zip build-windows.sh made: its listing, and one session from the unzipped folder.
exec xvfb-run -a -s "-screen 0 1024x768x24" tests/install/unzipped.sh "$(echo build-windows/stonecall-*-win32.zip)" \
  "$PWD/build-windows/stonecall-drive.exe"
