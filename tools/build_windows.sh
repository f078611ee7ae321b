#!/usr/bin/env bash
# Cross-builds the native Windows program with MinGW-w64 and packs dist/tessaloom-windows.zip:
# tessaloom.exe (no DLL needed beside it), Projects/ with autoexec.ini and the demo (its fonts with
# their licence) and README.txt for Windows users.
#
#   tools/build_windows.sh            (the build folder is build-win, or $TL_WINDOWS_BUILD)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TL_WINDOWS_BUILD:-build-win}"
jobs="${TL_JOBS:-$(nproc)}"

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j"$jobs" --target tessaloom

stage="$build/zip/Tessaloom"
rm -rf "$build/zip"
mkdir -p "$stage" dist
cp "$build/tessaloom.exe" "$stage/"
cp -r Projects "$stage/"
cp -r docs "$stage/docs"
# Windows users read the notes in Notepad: CRLF line ends.
sed 's/$/\r/' tools/windows_readme.txt > "$stage/README.txt"
rm -f dist/tessaloom-windows.zip
(cd "$build/zip" && zip -qr -X ../../dist/tessaloom-windows.zip Tessaloom)
echo "dist/tessaloom-windows.zip: $(du -h dist/tessaloom-windows.zip | cut -f1)"
