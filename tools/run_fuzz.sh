#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer + UndefinedBehavior-
# Sanitizer) and runs each for a bounded time from its seeds. Fails when any target finds an input
# that crashes, leaks, runs out of memory or time, or breaks a property the target checks.
#
#   tools/run_fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     (default 20 seconds, every target)
#
# New inputs a run finds are kept in build-fuzz/fuzz-corpus/<target>/ and reused by the next run;
# an input that failed is saved as build-fuzz/fuzz-artifacts/<target>-crash-... (rerun it with
# build-fuzz/fuzz/fuzz_<target> FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift $(( $# > 0 ? 1 : 0 ))
jobs="${TL_JOBS:-$(nproc)}"
build=build-fuzz
# The targets that need files write them under the temporary folder for every input: in memory
# where the machine has a tmpfs for it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTL_FUZZ=ON \
  -DTL_BUILD_TESTS=OFF -DTL_BUILD_BENCH=OFF -DTL_BUILD_SDL=OFF > /dev/null
cmake --build "$build" -j"$jobs" --target fuzz_all

# Seeds too large to keep in the repository are made from the demo and the test fixtures.
generated="$build/fuzz-seeds"
rm -rf "$generated"
mkdir -p "$generated/map_json" "$generated/tileset_json"
cp Projects/Demo/Map/demo_map.json tests/data/map/map_base64.json tests/data/map/map_crlf.json \
  "$generated/map_json/"
sed '0,/"x": [0-9.]*/s//"x": 1e309/' Projects/Demo/Map/demo_map.json > "$generated/map_json/demo_map_x_1e309.json"
sed '0,/"orientation": "[a-z]*"/s//"orientation": "isometric"/' Projects/Demo/Map/demo_map.json \
  > "$generated/map_json/demo_map_isometric.json"
cp Projects/Demo/Map/decor.json "$generated/tileset_json/"
mkdir -p "$generated/script_file" "$generated/script_run"
cp Projects/Demo/Scripts/*.txt "$generated/script_file/"
# The scripting guide's examples: each indented block, and every example of its tables, one a
# line. The interpreter target gets them and the demo's scripts with their unit and object names
# turned into those of its world.
awk -v out="$generated/script_file/docs_block" '
  /^    / && (inside || blank) { if (!inside) n++; inside = 1; print substr($0, 5) > (out n ".txt"); next }
  { inside = 0; blank = $0 == "" }
  /^\|/ { cells = split($0, cell, "|"); example = cell[cells - 1]; gsub(/^ +| +$/, "", example)
          if (example ~ /^`[^`]+`$/) print substr(example, 2, length(example) - 2) > (out "_tables.txt") }
' docs/scripting.md
for seed in "$generated"/script_file/*.txt; do
  sed -e 's/\bguard\b/test_unit_2/g; s/\bhero\b/test_unit_1/g; s/\bchest\b/test_unit_3/g' \
      -e 's/\b\(Old_Tomas\|Rowan\|Elena\)\b/test_unit_2/g; s/\b\(Mira\|Banner_of_the_valley\|Pen_gate\)\b/test_unit_3/g' \
      -e 's/\bHealing_draught\b/Brass_key/g; s/^\(\s*SHOW_IMAGE\) .*/\1 map.bmp/' "$seed" > "$generated/script_run/$(basename "$seed")"
done
mkdir -p "$generated/cast_files"
cp Projects/Demo/Data/*_units.ini "$generated/cast_files/"

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(bmp ini ini_values map_json tileset_json layer_data input_events command_options text_encoding script_file script_run cast_files save)
fi
failed=()
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  seeds=("tests/fuzz/corpus/$target")
  [ -d "$generated/$target" ] && seeds+=("$generated/$target")
  # The words of an input language, when tests/fuzz has them for the target's family
  # (script.dict for script_file and script_run).
  options=()
  dict="tests/fuzz/${target%%_*}.dict"
  [ -f "$dict" ] && options+=(-dict="$dict")
  log="$build/fuzz-logs/$target.log"
  echo "== fuzz_$target for ${seconds}s"
  # -timeout: one input taking this long is a fault; the outer timeout only guards a hung run.
  if timeout $(( seconds + 120 )) "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" "${options[@]}" \
      "$corpus" "${seeds[@]}" > "$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" || true
  else
    echo "fuzz_$target FAILED; the end of $log:"
    tail -n 40 "$log"
    failed+=("$target")
  fi
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzzing: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}"
  exit 1
fi
echo "fuzzing: all ${#targets[@]} targets ran clean"
