#!/usr/bin/env bash
# Proves that a clang build checks the world lock: in BUILD (configured with clang) the probe that
# holds the lock while it reads the unit table must build, and the same read without the lock must
# fail with the analysis' "requires holding mutex".
#   tools/check_locks.sh BUILD
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD" >&2; exit 2; }
build="$1"
grep -q "CMAKE_CXX_COMPILER_ID:.*Clang\|clang++" "$build/CMakeCache.txt" ||
  { echo "check_locks: $build is not a clang build" >&2; exit 2; }
if ! out="$(cmake --build "$build" --target lock_probe_locked 2>&1)"; then
  echo "$out" >&2
  echo "check_locks: the probe that holds the world lock does not build" >&2
  exit 1
fi
if out="$(cmake --build "$build" --target lock_probe_unlocked 2>&1)"; then
  echo "check_locks: a read of the unit table without the world lock built; the lock analysis is off" >&2
  exit 1
fi
if ! grep -q "requires holding mutex" <<< "$out"; then
  echo "$out" >&2
  echo "check_locks: the probe without the lock failed for another reason than the lock analysis" >&2
  exit 1
fi
echo "check_locks: clang refuses a read of the unit table without the world lock"
