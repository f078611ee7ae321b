#!/usr/bin/env bash
# Random play for a stretch of virtual time, headless, twice with the same seed: fails when the
# program reports a sanitizer finding, fails or crashes, or when the two runs' transcripts or
# dumps differ. Question boxes are refused, so Escape, the window's close and Quit only ask. Each
# run keeps its saved games (F5, F9) in a folder of its own that starts empty.
# Usage: tools/soak.sh TESSALOOM SECONDS SEED [PROJECT]
#   TESSALOOM  a built program; random_play is taken from the same build's tools/
#   PROJECT    a folder holding Projects/ (default: this repository's), its autoexec project played
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 TESSALOOM SECONDS SEED [PROJECT]" >&2; exit 2; }
exe="$(realpath "$1")"
seconds="$2"
seed="$3"
here="$(cd "$(dirname "$0")/.." && pwd)"
project="$(realpath "${4:-$here}")"
generator="$(dirname "$exe")/tools/random_play"
[ -x "$generator" ] || { echo "soak: $generator is not built" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$project/Projects" "$work/"
"$generator" --seed "$seed" --seconds "$seconds" > "$work/input.txt"
frames=$((seconds * 100))  # passes of 10 virtual milliseconds

for run in 1 2; do
  start=$SECONDS
  status=0
  (cd "$work" && /usr/bin/time -f "%M" -o "mem$run.txt" "$exe" --headless --frames "$frames" \
    --input input.txt --answer no --transcript "t$run.txt" --dump-state "d$run.json" --save-dir "saves$run" \
    > "out$run.txt" 2> "err$run.txt") || status=$?
  if [ "$status" -ne 0 ] || grep -q -E "ERROR: (Address|Leak)Sanitizer|runtime error:|WARNING: ThreadSanitizer" "$work/err$run.txt"; then
    echo "soak: run $run (seed $seed) ended with status $status:" >&2
    tail -n 60 "$work/err$run.txt" >&2
    cp "$work/input.txt" "${TMPDIR:-/tmp}/soak-seed$seed-input.txt"
    echo "soak: its input is kept in ${TMPDIR:-/tmp}/soak-seed$seed-input.txt" >&2
    exit 1
  fi
  echo "soak: run $run, seed $seed: $seconds s of play ($(grep -c . "$work/input.txt") input lines)" \
    "in $((SECONDS - start)) s, peak memory $(($(cat "$work/mem$run.txt") / 1024)) MB"
done
if ! cmp -s "$work/t1.txt" "$work/t2.txt" || ! cmp -s "$work/d1.json" "$work/d2.json"; then
  echo "soak: two runs of seed $seed gave different transcripts or dumps" >&2
  diff "$work/t1.txt" "$work/t2.txt" | head -n 20 >&2 || true
  exit 1
fi
echo "soak: seed $seed: both runs gave the same transcript and dump"
