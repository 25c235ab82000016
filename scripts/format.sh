#!/usr/bin/env bash
# Formats every C++ source of the repository with .clang-format.
#   scripts/format.sh          rewrites the files in place
#   scripts/format.sh --check  changes nothing; lists the files that differ and
#                              exits non-zero when any does
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" != "--check" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# One run over all files; each difference is reported as "file:line:col: ...".
mapfile -t differing < <(clang-format --dry-run "${files[@]}" 2>&1 |
  sed -nE 's/^([^:]+\.(cpp|h)):[0-9]+:[0-9]+: .*/\1/p' | sort -u)
if [ ${#differing[@]} -gt 0 ]; then
  printf 'format: %s differs from .clang-format\n' "${differing[@]}"
  echo "format: ${#differing[@]} file(s) differ; fix them with: scripts/format.sh"
  exit 1
fi
echo "format: all ${#files[@]} files match .clang-format"
