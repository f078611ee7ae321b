#!/usr/bin/env bash
# The Windows side of the test suite, run from the Linux build host: cross-builds the Windows
# program and its test programs with MinGW-w64 and packs the zip, then in one Wine session under
# a virtual X display runs the test programs, a headless run of the demo on both programs and
# every end-to-end scenario of the Linux build a second time against the Windows program (the
# same dumps, traces and transcripts, byte for byte), and the desktop smoke run of the zip.
#   tools/run_windows_tests.sh        (needs the Linux release build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${TL_JOBS:-$(nproc)}"
build=build-win
export TL_WINDOWS_BUILD="$build"

echo "-- Windows cross build and zip"
start=$SECONDS
./tools/build_windows.sh
cmake --build "$build" -j"$jobs"
echo "-- built in $((SECONDS - start)) s"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEPREFIX="$PWD/$build/wine-prefix"
export TL_WINE="$wine"
work="$(mktemp -d)"
display=""
cleanup() {
  "$wineserver" -k 2> /dev/null || true
  [ -n "$display" ] && kill "$display" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own for the windows the tests and the smoke run open.
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp > /dev/null 2>&1 &
  display=$!
  export DISPLAY=":$n"
  break
done
for _ in $(seq 1 100); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo > /dev/null 2>&1 || { echo "no virtual display could be started" >&2; exit 1; }

# One Wine session for every run: a persistent server, the prefix made once.
start=$SECONDS
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot -i > /dev/null 2>&1 || true
echo "-- Wine ready in $((SECONDS - start)) s"

echo "-- Windows test programs under Wine"
start=$SECONDS
ctest --test-dir "$build" -j"$jobs" --output-on-failure
echo "-- ran in $((SECONDS - start)) s"

echo "-- the demo, headless: the Windows program against the Linux one"
mkdir -p "$work/demo"
cp -r Projects "$work/demo/"
(cd "$work/demo" && "$OLDPWD/build/tessaloom" --headless --frames 400 --dump-state linux.json \
  --transcript linux.txt > /dev/null)
(cd "$work/demo" && "$wine" "$OLDPWD/$build/tessaloom.exe" --headless --frames 400 --dump-state windows.json \
  --transcript windows.txt > /dev/null)
cmp "$work/demo/linux.json" "$work/demo/windows.json" || { echo "the demo's dumps differ" >&2; exit 1; }
cmp "$work/demo/linux.txt" "$work/demo/windows.txt" || { echo "the demo's transcripts differ" >&2; exit 1; }
echo "-- the same dump ($(wc -c < "$work/demo/linux.json") bytes) and transcript"

echo "-- end-to-end scenarios: the Windows program against the Linux one"
start=$SECONDS
status=0
pids=()
for shard in $(seq 0 $((jobs - 1))); do
  TL_WINDOWS_EXECUTABLE="$PWD/$build/tessaloom.exe" GTEST_TOTAL_SHARDS="$jobs" GTEST_SHARD_INDEX="$shard" \
    build/tests/tl_e2e_tests --gtest_filter='-ReplayEndToEnd.ADesktop*:ReplayEndToEnd.ARefused*' > "$work/e2e-$shard.log" 2>&1 &
  pids+=($!)
done
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    status=1
    # Each failed test whole, from its RUN line to its FAILED line: the values compared and the
    # Windows program's own output are in between.
    awk '/^\[ RUN/ { block = "" } { block = block $0 "\n" } /^\[  FAILED  \] .*\(/ { printf "%s", block }' \
      "$work/e2e-$i.log" | head -200 >&2 || true
  fi
done
[ "$status" -eq 0 ] || { echo "the Windows program did not give the Linux program's worlds" >&2; exit 1; }
echo "-- compared in $((SECONDS - start)) s"

echo "-- desktop smoke run of the zip under Wine"
start=$SECONDS
./tools/windows_desktop_smoke.sh dist/tessaloom-windows.zip "$work"
echo "-- smoke in $((SECONDS - start)) s"
