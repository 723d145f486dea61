#!/bin/sh
# The archiver benchmark: packs and extracts a mixed corpus of about 200 MB
# (HTML and text, PDF, JPEG; made here, the same bytes on every run) with
# arch, gcab and cabextract in one run, checks that every extraction gives
# the corpus back, and prints times, throughput, sizes and peak memory, with
# arch's figures as ratios to its peers'.
#   run-bench.sh RELEASE_DIR [WIN_DIR]
# With WIN_DIR, arch.exe of that build is timed under Wine as well.
set -eu
release=$(cd "$1" && pwd)
win=${2:-}
[ -z "$win" ] || win=$(cd "$win" && pwd)
TEXT_MB=${TEXT_MB:-90}
PDF_MB=${PDF_MB:-60}
JPEG_SEEDS=${JPEG_SEEDS:-6}

cmake --build "$release" --target arch arch_bench_corpus >/dev/null
arch="$release/arch/arch"
for tool in gcab cabextract convert; do
  command -v $tool >/dev/null || { echo "run-bench.sh: $tool is missing (tools/deps.sh installs it)" >&2; exit 1; }
done
timer=""
[ -x /usr/bin/time ] && timer=/usr/bin/time

work="$release/bench/arch"
corpus="$work/corpus"
out="$work/out"
stamp="v1 text=$TEXT_MB pdf=$PDF_MB jpeg=$JPEG_SEEDS"
if [ "$(cat "$work/corpus.stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "making the corpus (once; kept in $corpus)"
  rm -rf "$corpus" "$work/corpus.stamp"
  mkdir -p "$corpus/show/resources/photos"
  "$release/bench/arch_bench_corpus" "$corpus/show" "$TEXT_MB" "$PDF_MB"
  seed=1
  while [ $seed -le "$JPEG_SEEDS" ]; do
    convert -seed $seed -size 4000x3000 plasma:fractal -attenuate 0.5 +noise Gaussian \
      -crop 1000x750 +repage -quality 92 "$corpus/show/resources/photos/photo $seed-%02d.jpg"
    seed=$((seed + 1))
  done
  echo "$stamp" > "$work/corpus.stamp"
fi

bytes=$(find "$corpus/show" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
files=$(find "$corpus/show" -type f | wc -l)
part() { find "$corpus/show" -type f -name "$1" -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s / 1048576}'; }
printf 'corpus: %.1f MiB in %d files (HTML and text %s MiB, PDF %s MiB, JPEG %s MiB)\n' \
  "$(echo "$bytes" | awk '{print $1 / 1048576}')" "$files" \
  "$(( $(part '*.html') + $(part '*.txt') ))" "$(part '*.pdf')" "$(part '*.jpg')"
tar -cf /dev/null -C "$corpus" show # read it once, so that every tool meets a warm cache

rm -rf "$out"
mkdir -p "$out"
results="$out/results"
: > "$results"

# measure LABEL KIND COMMAND...: runs the command RUNS times (default 2)
# and records the best time in seconds and the highest peak memory (KiB).
RUNS=${RUNS:-2}
measure() {
  label=$1; kind=$2; shift 2
  best=""; peak=0; run=0
  while [ $run -lt "$RUNS" ]; do
    run=$((run + 1))
    if [ -n "$timer" ]; then
      $timer -f '%e %M' -o "$out/time" "$@" >"$out/log" 2>&1 || { echo "$label failed:"; cat "$out/log"; exit 1; }
      read -r seconds kib < "$out/time"
    else
      start=$(date +%s.%N)
      "$@" >"$out/log" 2>&1 || { echo "$label failed:"; cat "$out/log"; exit 1; }
      seconds=$(echo "$start $(date +%s.%N)" | awk '{print $2 - $1}')
      kib=0
    fi
    best=$(echo "$best $seconds" | awk '{print ($1 == "" || NF == 1 || $2 < $1) ? $NF : $1}')
    [ "$kib" -gt "$peak" ] && peak=$kib
  done
  echo "$label|$kind|$best|$peak" >> "$results"
}

same_as_corpus() {
  diff -r "$corpus/show" "$1/show" >/dev/null || { echo "$2: the extracted files differ from the corpus" >&2; exit 1; }
}

# gcab takes the files as arguments: OPTION (may be empty) CABINET.
gcab_pack='cd "$0" && find show -type f -print0 | xargs -0 -x gcab -c $1 "$2"'

measure "arch -m MSZIP" pack "$arch" -m MSZIP -r -p -P "$corpus/" N "$out/arch-mszip.cab" "$corpus/show/*.*"
measure "arch -m LZX:21" pack "$arch" -m LZX:21 -r -p -P "$corpus/" N "$out/arch-lzx.cab" "$corpus/show/*.*"
lzx_note=$(grep -o 'writing [A-Z]* instead' "$out/log" || true)
measure "arch -m NONE" pack "$arch" -m NONE -r -p -P "$corpus/" N "$out/arch-none.cab" "$corpus/show/*.*"
measure "gcab -c -z" pack sh -c "$gcab_pack" "$corpus" -z "$out/gcab-mszip.cab"
measure "gcab -c" pack sh -c "$gcab_pack" "$corpus" "" "$out/gcab-none.cab"

extract_all() { # CABINET NAME
  measure "arch X $2" extract "$arch" -o -p X "$1" "$out/x-arch/"
  same_as_corpus "$out/x-arch" "arch X $2"
  rm -rf "$out/x-arch"
  measure "cabextract $2" extract cabextract -q -d "$out/x-cabextract" "$1"
  same_as_corpus "$out/x-cabextract" "cabextract $2"
  rm -rf "$out/x-cabextract"
  measure "gcab -x $2" extract gcab -x -C "$out/x-gcab" "$1"
  same_as_corpus "$out/x-gcab" "gcab -x $2"
  rm -rf "$out/x-gcab"
}
extract_all "$out/arch-mszip.cab" "(arch MSZIP)"
extract_all "$out/gcab-mszip.cab" "(gcab MSZIP)"
extract_all "$out/arch-lzx.cab" "(arch -m LZX:21)"

if [ -n "$win" ] && [ -f "$win/arch/arch.exe" ]; then
  winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
  wrun="$win/wine-run"
  "$wrun" "$win/arch/arch.exe" -h >/dev/null 2>&1 || true # start the prefix's server first
  measure "arch.exe -m MSZIP (Wine)" pack "$wrun" "$win/arch/arch.exe" -m MSZIP -r -p -P "$(winpath "$corpus/")" N \
    "$(winpath "$out/arch-exe.cab")" "$(winpath "$corpus/show")\\*.*"
  measure "arch.exe X (Wine)" extract "$wrun" "$win/arch/arch.exe" -o -p X "$(winpath "$out/arch-exe.cab")" \
    "$(winpath "$out/x-exe")\\"
  same_as_corpus "$out/x-exe" "arch.exe X"
  rm -rf "$out/x-exe"
fi

size_of() { stat -c %s "$out/$1"; }
echo
awk -F'|' -v bytes="$bytes" -v out="$out" '
  { s = ($3 > 0 ? $3 : 0.001); printf "%-36s %-7s %8.2f s %8.1f MiB/s %8.0f MiB peak\n", $1, $2, $3, bytes / 1048576 / s, $4 / 1024 }
' "$results"
[ -z "$lzx_note" ] || echo "(arch -m LZX:21: this build has no LZX encoder; $lzx_note of LZX:21)"
echo
printf '%-22s %10s %8s\n' cabinet MiB "of input"
for c in arch-mszip gcab-mszip arch-lzx arch-none gcab-none; do
  printf '%-22s %10.1f %7.1f%%\n' "$c.cab" "$(size_of $c.cab | awk '{print $1 / 1048576}')" \
    "$(size_of $c.cab | awk -v b="$bytes" '{print 100 * $1 / b}')"
done

secs() { awk -F'|' -v l="$1" '$1 == l { print ($3 > 0 ? $3 : 0.001) }' "$results"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b / a }'; } # throughput ratio of a over b = time b / time a
echo
echo "arch as a ratio to its peers (above 1: arch is faster or smaller):"
echo "  packing MSZIP, throughput vs gcab -c -z:           $(ratio "$(secs 'arch -m MSZIP')" "$(secs 'gcab -c -z')")"
echo "  packing stored, throughput vs gcab -c:             $(ratio "$(secs 'arch -m NONE')" "$(secs 'gcab -c')")"
echo "  cabinet size, MSZIP, gcab / arch:                  $(awk -v a="$(size_of arch-mszip.cab)" -v g="$(size_of gcab-mszip.cab)" 'BEGIN { printf "%.3f", g / a }')"
echo "  extracting arch's cabinet, vs cabextract:          $(ratio "$(secs 'arch X (arch MSZIP)')" "$(secs 'cabextract (arch MSZIP)')")"
echo "  extracting arch's cabinet, vs gcab -x:             $(ratio "$(secs 'arch X (arch MSZIP)')" "$(secs 'gcab -x (arch MSZIP)')")"
echo "  extracting gcab's cabinet, vs cabextract:          $(ratio "$(secs 'arch X (gcab MSZIP)')" "$(secs 'cabextract (gcab MSZIP)')")"
echo "  extracting gcab's cabinet, vs gcab -x:             $(ratio "$(secs 'arch X (gcab MSZIP)')" "$(secs 'gcab -x (gcab MSZIP)')")"
