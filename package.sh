#!/usr/bin/env bash
# Makes the Debian package build-package/stonecall_<version>_<arch>.deb with
# CPack (optimised, with Debian's hardening flags, Depends computed from the
# binary plus the fonts) and checks it with lintian (no errors),
# desktop-file-validate and appstreamcli.
#   ./package.sh --check   also installs it with apt-get, starts `stonecall`
#                          from PATH on a virtual X server until its main window
#                          shows (docs/installed.png), then removes it and
#                          checks that nothing of it is left.
# Installs the Debian packages it needs when any is missing.
set -euo pipefail
cd "$(dirname "$0")"
source ./scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FONT_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

umask 022
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DSTONECALL_TESTS=OFF -DSTONECALL_BENCH=OFF \
  -DSTONECALL_SANITIZE=OFF -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-package -j "${JOBS:-$(nproc)}" --target stonecall >/dev/null
rm -f build-package/stonecall_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(echo build-package/stonecall_*.deb)
echo "made $deb"

# Lintian's warnings are printed; an error fails.
lintian --fail-on error --display-info "$deb"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.xml
echo "lintian, desktop-file-validate and appstreamcli: passed"
[ "${1:-}" = --check ] || exit 0

# Installed as a user would, started from PATH in a real window, removed again.
if dpkg-query -W -f='${Status}' stonecall 2>/dev/null | grep -q "ok installed"; then
  echo "package.sh: stonecall is installed here already; not checking over it" >&2
  exit 1
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb" >/dev/null
mapfile -t paths < <(dpkg -L stonecall)
XVFB_SCREEN=1024x768x24 tests/xvfb/with-xvfb.sh packaging/show-installed.sh docs/installed.png
$sudo dpkg -r stonecall >/dev/null
left=()
for path in "${paths[@]}"; do
  # A folder other packages share (/usr/share/icons/hicolor/16x16/apps) stays.
  if [ -e "$path" ] && ! dpkg -S "$path" >/dev/null 2>&1; then left+=("$path"); fi
done
if dpkg-query -W -f='${Status}' stonecall 2>/dev/null | grep -q "installed" || [ ${#left[@]} -gt 0 ]; then
  echo "package.sh: removing the package left ${left[*]:-its status}" >&2
  exit 1
fi
echo "installed with apt-get, main window shown (docs/installed.png), removed with nothing left"
