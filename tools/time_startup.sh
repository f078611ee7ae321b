#!/usr/bin/env bash
# Times two builds of the engine loading the demo headless to its first frame, turn about in the
# same sitting, and prints each one's median wall time and their ratio (new / old):
#   tools/time_startup.sh OLD_EXECUTABLE NEW_EXECUTABLE [RUNS]
# Run from the repository's root (the demo's Projects folder); RUNS defaults to 21.
set -euo pipefail
if [[ $# -lt 2 ]]; then
  echo "usage: $0 OLD_EXECUTABLE NEW_EXECUTABLE [RUNS]" >&2
  exit 2
fi
old=$1 new=$2 runs=${3:-21}
declare -a oldTimes newTimes
run_once() {
  local start end
  start=$(date +%s%N)
  "$1" --headless --frames 1 >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
for ((i = 0; i < runs; ++i)); do
  oldTimes+=("$(run_once "$old")")
  newTimes+=("$(run_once "$new")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
oldMedian=$(median "${oldTimes[@]}")
newMedian=$(median "${newTimes[@]}")
awk -v o="$oldMedian" -v n="$newMedian" -v r="$runs" 'BEGIN {
  printf "old %.1f ms, new %.1f ms (medians of %d runs each), new / old = %.2f\n", o / 1000, n / 1000, r, n / o
}'
