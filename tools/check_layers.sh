#!/usr/bin/env bash
# Prints the include arrows between the subsystem folders of src/ (one line per pair, counted per
# #include line) and fails when a folder includes a header of a layer above it.
#
#   tools/check_layers.sh [source-folder]      (src/ of this checkout by default)
#
# The order, lowest first, is the one the build gives each library's include folder
# (TL_LAYERS in CMakeLists.txt); the two must name the same layers.
set -euo pipefail
cd "$(dirname "$0")/.."
root="${1:-src}"
order="$(sed -nE 's/^set\(TL_LAYERS (.*)\)$/\1/p' CMakeLists.txt)"
if [ -z "$order" ]; then
  echo "check_layers: no TL_LAYERS list in CMakeLists.txt" >&2
  exit 2
fi
if [ ! -d "$root" ]; then
  echo "check_layers: no folder $root" >&2
  exit 2
fi

{ grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^">/]+/' "$root" || true; } |
  awk -F: -v order="$order" -v root="${root%/}/" '
    BEGIN {
      n = split(order, names, " ")
      for (i = 1; i <= n; ++i) rank[names[i]] = i
    }
    {
      # file:line:#include "folder/header.h"
      file = $1
      from = substr(file, length(root) + 1)
      sub(/\/.*/, "", from)
      to = $0
      sub(/^[^#]*#[[:space:]]*include[[:space:]]*[<"]/, "", to)
      sub(/\/.*/, "", to)
      if (!(from in rank) || !(to in rank) || from == to) next
      arrows[from " " to]++
      if (rank[to] > rank[from]) upward[++bad] = $1 ":" $2 ": " from " includes " to
    }
    END {
      for (i = 1; i <= n; ++i)
        for (j = 1; j <= n; ++j) {
          pair = names[i] " " names[j]
          if (pair in arrows)
            printf "%-9s -> %-9s %4d%s\n", names[i], names[j], arrows[pair], (j > i ? "  UPWARD" : "")
        }
      if (bad) {
        printf "\n%d include(s) of a higher layer:\n", bad
        for (k = 1; k <= bad; ++k) print "  " upward[k]
        exit 1
      }
    }'
