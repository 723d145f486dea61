#!/bin/sh
# Runs every fuzz target of a fuzz build for a bounded time and prints how
# many inputs each tried. Fails when a target finds a crash.
#   run-fuzz.sh BUILD_DIR SECONDS
set -eu
build=$1
seconds=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
status=0
found=0
for target in "$build"/fuzz/*_fuzzer; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target" _fuzzer)
  corpus="$build/fuzz/corpus-$name"
  mkdir -p "$corpus"
  if [ -d "$src/fuzz/corpus/$name" ]; then cp -n "$src/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true; fi
  log="$build/fuzz/$name.log"
  echo "== fuzzing $name for ${seconds}s"
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
       -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$log" 2>&1; then
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "   $name: ${runs:-?} runs, nothing found"
  else
    echo "   $name: FAILED, see $log"
    tail -n 40 "$log"
    status=1
  fi
done
[ $found -eq 1 ] || echo "no fuzz targets built"
exit $status
