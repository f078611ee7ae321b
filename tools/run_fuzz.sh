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
mkdir -p "$generated/script_file"
cp Projects/Demo/Scripts/*.txt "$generated/script_file/"
mkdir -p "$generated/cast_files"
cp Projects/Demo/Data/*_units.ini "$generated/cast_files/"

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(bmp ini ini_values map_json tileset_json layer_data input_events command_options text_encoding script_file cast_files)
fi
failed=()
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  seeds=("tests/fuzz/corpus/$target")
  [ -d "$generated/$target" ] && seeds+=("$generated/$target")
  log="$build/fuzz-logs/$target.log"
  echo "== fuzz_$target for ${seconds}s"
  # -timeout: one input taking this long is a fault; the outer timeout only guards a hung run.
  if timeout $(( seconds + 120 )) "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
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
