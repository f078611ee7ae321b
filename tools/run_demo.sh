#!/usr/bin/env bash
# Installs what is needed, builds the engine (and the map generator the tutorial starts with)
# and runs the bundled demo project in a window.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTL_BUILD_TESTS=OFF -DTL_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target tessaloom demo_map_generator
exec ./build/tessaloom "$@"
