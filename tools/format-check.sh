#!/bin/sh
# Checks that every C++ file of the tree follows .clang-format (clang-format
# 14, as Debian 12 has it). With --fix, formats them instead.
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  # shellcheck disable=SC2086
  clang-format -i $files
  exit 0
fi
bad=""
for f in $files; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then bad="$bad $f"; fi
done
if [ -n "$bad" ]; then
  echo "format-check: these files do not follow .clang-format (make format fixes them):"
  for f in $bad; do echo "  $f"; done
  exit 1
fi
echo "format-check: $(echo "$files" | wc -l) files follow .clang-format"
