#!/usr/bin/env bash
# Builds Stonecall as a 32-bit Windows program with MinGW-w64, and its script
# driver: build-windows/stonecall.exe and build-windows/stonecall-drive.exe;
# then the zip a user unzips anywhere, build-windows/stonecall-VERSION-win32.zip
# (the program, the sample spreads, images/ and ReadMe.htm in one folder).
# Installs the cross compiler when it is missing.
set -euo pipefail
cd "$(dirname "$0")"

source ./scripts/packages.sh
ensure_packages "${WINDOWS_BUILD_PACKAGES[@]}"

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j "$(nproc)"

# Nothing but the system's own DLLs may be needed on Windows.
for exe in build-windows/stonecall.exe build-windows/stonecall-drive.exe; do
  imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'a-z' 'A-Z')
  for dll in $imports; do
    case $dll in
      KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMDLG32.DLL | MSVCRT.DLL) ;;
      *) echo "$exe imports $dll, which Windows does not bring" >&2; exit 1 ;;
    esac
  done
done
rm -f build-windows/stonecall-*-win32.zip
(cd build-windows && cpack -G ZIP >/dev/null)
echo "build-windows/stonecall.exe and build-windows/stonecall-drive.exe are built, and $(echo build-windows/stonecall-*-win32.zip)"
