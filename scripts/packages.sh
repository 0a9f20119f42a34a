# The Debian packages Stonecall needs, and a helper that installs the missing ones.
# Sourced by test.sh, run.sh, bench.sh and fuzz/run.sh.

BUILD_PACKAGES=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  binutils-mingw-w64-i686 libfreetype-dev libfontconfig-dev libpng-dev
  libjpeg-dev libgif-dev libsdl2-dev)
FONT_PACKAGES=(fonts-wine fonts-blankenburg fonts-dejavu-core)
# The real window's tests: a virtual X server, real X input, the X clipboard from
# another client, Xlib for a close request.
# The reading's web page is checked in Debian's Chromium, driven from Node.js
# by the npm package playwright-core (locked in tests/browser/).
BROWSER_PACKAGES=(chromium)
# Node.js and npm from Debian only where no node and npm are there already: a
# Node.js from another source brings its own npm, which Debian's npm conflicts with.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  BROWSER_PACKAGES+=(nodejs npm)
fi
TEST_PACKAGES=("${FONT_PACKAGES[@]}" xvfb xauth xdotool xclip x11-xkb-utils libx11-dev "${BROWSER_PACKAGES[@]}")
# The style checks (scripts/check-style.sh).
STYLE_PACKAGES=(clang-format clang-tidy)
# libFuzzer and the sanitizers' runtime for clang (fuzz/run.sh).
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Windows build (build-windows.sh) and its tests under Wine (test-windows.sh,
# which unzips the zip); wine32 needs the i386 architecture.
WINDOWS_BUILD_PACKAGES=(cmake make g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686)
WINDOWS_TEST_PACKAGES=(wine wine32:i386 xvfb xauth unzip)

# The Debian package (package.sh): dpkg-shlibdeps and the hardening flags, its
# checks, and the installed program's window on a virtual X server, saved as a PNG.
PACKAGE_PACKAGES=(dpkg-dev lintian desktop-file-utils appstream xvfb xauth xdotool netpbm)

# Adds a foreign architecture to dpkg (and refreshes the lists) when missing.
ensure_architecture() {
  if [ "$(dpkg --print-architecture)" != "$1" ] && ! dpkg --print-foreign-architectures | grep -qx "$1"; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo dpkg --add-architecture "$1"
    $sudo apt-get update -qq
  fi
}

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
