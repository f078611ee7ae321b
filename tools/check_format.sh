#!/usr/bin/env bash
# Fails, naming each file, when a C++ file of the tree is not as clang-format (with the
# repository's .clang-format) would write it. With --fix, rewrites them instead.
#
#   tools/check_format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
format="$(command -v clang-format-14 || command -v clang-format || true)"
if [ -z "$format" ]; then
  echo "check_format: clang-format is not installed (tools/packages.sh installs it)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
  'tools/*.cpp' 'tools/*.h')
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
# One run over every file; its complaints name file:line, reduced here to one line per file.
if ! report="$("$format" --dry-run --Werror "${files[@]}" 2>&1)"; then
  grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<< "$report" | cut -d: -f1 | sort -u |
    sed 's/^/check_format: /; s/$/ is not formatted (tools\/check_format.sh --fix)/' >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted as .clang-format says"
