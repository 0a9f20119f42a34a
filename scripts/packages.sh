# The Debian packages Stonecall needs, and a helper that installs the missing ones.
# Sourced by test.sh, run.sh, bench.sh and fuzz/run.sh.

BUILD_PACKAGES=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  binutils-mingw-w64-i686 libfreetype-dev libfontconfig-dev libpng-dev
  libjpeg-dev libgif-dev libsdl2-dev)
FONT_PACKAGES=(fonts-wine fonts-blankenburg fonts-dejavu-core)
# The real window's tests: a virtual X server, real X input, Xlib for a close request.
# The reading's web page is checked in Debian's Chromium, driven from Node.js
# by the npm package playwright-core (locked in tests/browser/).
BROWSER_PACKAGES=(chromium)
# Node.js and npm from Debian only where no node and npm are there already: a
# Node.js from another source brings its own npm, which Debian's npm conflicts with.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  BROWSER_PACKAGES+=(nodejs npm)
fi
TEST_PACKAGES=("${FONT_PACKAGES[@]}" xvfb xauth xdotool libx11-dev "${BROWSER_PACKAGES[@]}")
# libFuzzer and the sanitizers' runtime for clang (fuzz/run.sh).
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}
