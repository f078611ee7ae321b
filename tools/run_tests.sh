#!/usr/bin/env bash
# Installs what is needed, checks the layering of src/, builds, and runs the whole test suite: a
# release build; the Windows build (MinGW-w64) with its tests under Wine; a build under
# AddressSanitizer + UndefinedBehaviorSanitizer, and under ThreadSanitizer (without the desktop
# backend, whose system libraries are not instrumented); then each fuzz target for a short time.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/packages.sh
jobs="$(nproc)"

echo "== include arrows between the subsystems (none may point to a higher layer)"
./tools/check_layers.sh
echo "== every C++ file formatted as .clang-format says"
./tools/check_format.sh

echo "== release build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

echo "== Windows: cross build and zip, test programs under Wine, the same worlds as on Linux, desktop smoke"
TL_JOBS="$jobs" ./tools/run_windows_tests.sh

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTL_SANITIZE=address -DTL_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure
echo "== a minute of random play of the demo under AddressSanitizer + UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ./tools/soak.sh build-asan/tessaloom 60 1

echo "== ThreadSanitizer: the suite, and a headless game with input, scrolling and a quit"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTL_SANITIZE=thread -DTL_BUILD_BENCH=OFF \
  -DTL_BUILD_SDL=OFF
cmake --build build-tsan -j"$jobs"
TSAN_OPTIONS="halt_on_error=1 exitcode=66" ctest --test-dir build-tsan -j"$jobs" --output-on-failure
TSAN_OPTIONS="halt_on_error=1 exitcode=66" ./tools/tsan_smoke.sh build-tsan/tessaloom
echo "== a minute of random play of the demo under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1 exitcode=66" ./tools/soak.sh build-tsan/tessaloom 60 2

echo "== fuzz targets, 20 seconds each"
TL_JOBS="$jobs" ./tools/run_fuzz.sh 20
echo "== the world lock: clang's analysis refuses a call that needs the lock without holding it"
./tools/check_locks.sh build-fuzz
