#!/usr/bin/env bash
# Runs the demo headless with input under a sanitizer-built executable; fails on any report.
set -euo pipefail
exe="$(realpath "$1")"
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat > "$work/input.txt" <<'INPUT'
# rest at the left edge, come back, toggle the counter, ask to quit and refuse, then quit
100 move 640 400
200 move 2 400
1200 move 640 400
1300 key F
1500 menu 521
1600 key ESC
INPUT
"$exe" --headless --frames 400 --input "$work/input.txt" --answer no --transcript "$work/no.txt" \
  --dump-state "$work/no.json" 2> "$work/no.err" || { cat "$work/no.err"; exit 1; }
"$exe" --headless --frames 400 --input "$work/input.txt" --answer yes --transcript "$work/yes.txt" \
  2> "$work/yes.err" || { cat "$work/yes.err"; exit 1; }
if grep -q "WARNING: ThreadSanitizer" "$work"/*.err; then cat "$work"/*.err; exit 1; fi
grep -q "quit 0" "$work/yes.txt"
echo "thread sanitizer: 2 runs, 0 reports"
