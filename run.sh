#!/usr/bin/env bash
# Builds Stonecall optimised, without sanitizers, in build-run/ and starts it
# in work/: the user's own folder, where the sample spreads, the report's
# pictures (images/) and the help page (ReadMe.htm) are copied once and never
# overwritten. Installs the Debian packages it needs when any is missing.
# Arguments go to the program: ./run.sh DeckwiseSetup
set -euo pipefail

# A script named from the caller's folder stays found after the moves below.
if [ -n "${STONECALL_SCRIPT:-}" ]; then
  STONECALL_SCRIPT=$(realpath -- "$STONECALL_SCRIPT")
  export STONECALL_SCRIPT
fi
cd "$(dirname "$0")"
top=$PWD

# The real window needs a display; say so before building anything.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${STONECALL_DRIVER:-}" != headless ]; then
  cat >&2 <<'TEXT'
run.sh: there is no display to open Stonecall's window on. Either
  - run it on a virtual X server:  xvfb-run ./run.sh
  - or run it headless, driven by an automation script:
      STONECALL_DRIVER=headless STONECALL_SCRIPT=path/to/script.txt ./run.sh
TEXT
  exit 2
fi

source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FONT_PACKAGES[@]}"

cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DSTONECALL_SANITIZE=OFF -DSTONECALL_TESTS=OFF \
  -DSTONECALL_BENCH=OFF >/dev/null
cmake --build build-run -j "${JOBS:-$(nproc)}" --target stonecall >/dev/null

# The working folder: what is missing comes from the sources, nothing is replaced.
copy_missing() {
  [ -e "$2" ] || cp -- "$1" "$2"
}
mkdir -p work/images
for f in spreads/*.SCS; do copy_missing "$f" "work/${f##*/}"; done
for f in res/images/*; do copy_missing "$f" "work/images/${f##*/}"; done
copy_missing res/help/ReadMe.htm work/ReadMe.htm

cd work
exec "$top/build-run/stonecall" "$@"
