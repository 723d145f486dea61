#!/bin/sh
# The archiver benchmark: packs and extracts a mixed corpus of about 200 MB
# (HTML and text, PDF, JPEG; made here, the same bytes on every run) with
# arch, gcab and cabextract in one run, checks that every extraction gives
# the corpus back, and prints times, throughput, sizes and peak memory, with
# arch's figures as ratios to its peers'. LZX:21 is packed at both levels of
# effort (the default, as the program packs, and -f) on the mixed corpus and
# on its HTML and text part and its JPEG part alone, each beside gcab -z
# (MSZIP) on the same files.
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

# The parts alone, as links to the same files: text/show (HTML and text)
# and jpeg/show (the photos).
part_corpus() { # NAME FIND-ARGUMENTS...
  name=$1; shift
  rm -rf "$work/$name"
  mkdir -p "$work/$name"
  (cd "$corpus" && find show -type f "$@" -print0 | xargs -0 cp -l --parents -t "$work/$name")
}
part_corpus text \( -name '*.html' -o -name '*.txt' \)
part_corpus jpeg -name '*.jpg'

bytes_of() { find "$1" -type f -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s}'; }
bytes=$(bytes_of "$corpus/show")
files=$(find "$corpus/show" -type f | wc -l)
mib() { awk -v b="$1" 'BEGIN { printf "%.0f", b / 1048576 }'; }
printf 'corpus: %.1f MiB in %d files (HTML and text %s MiB, PDF %s MiB, JPEG %s MiB)\n' \
  "$(echo "$bytes" | awk '{print $1 / 1048576}')" "$files" "$(mib "$(bytes_of "$work/text/show")")" \
  "$(mib "$(find "$corpus/show" -name '*.pdf' -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s}')")" \
  "$(mib "$(bytes_of "$work/jpeg/show")")"
tar -cf /dev/null -C "$corpus" show # read it once, so that every tool meets a warm cache

rm -rf "$out"
mkdir -p "$out"
results="$out/results"
: > "$results"

# measure LABEL KIND BYTES COMMAND...: runs the command RUNS times (default
# 2) and records the best time in seconds, the highest peak memory (KiB)
# and the input size the throughput is counted over.
RUNS=${RUNS:-2}
measure() {
  label=$1; kind=$2; input=$3; shift 3
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
  echo "$label|$kind|$best|$peak|$input" >> "$results"
}

same_as() { # ORIGINAL EXTRACTED LABEL
  diff -r "$1" "$2/show" >/dev/null || { echo "$3: the extracted files differ from the corpus" >&2; exit 1; }
}

# gcab takes the files as arguments: FOLDER OPTION (may be empty) CABINET.
gcab_pack='cd "$0" && find show -type f -print0 | xargs -0 -x gcab -c $1 "$2"'

# pack_part NAME: the part NAME's corpus (show/ below its folder) packed by
# arch with LZX:21 at both levels and with MSZIP, and by gcab -z.
pack_part() {
  name=$1
  dir=$work/$name
  [ "$name" = mixed ] && dir=$corpus
  size=$(bytes_of "$dir/show")
  measure "arch -m LZX:21 ($name)" pack "$size" \
    "$arch" -m LZX:21 -r -p -P "$dir/" N "$out/$name-arch-lzx.cab" "$dir/show/*.*"
  measure "arch -f -m LZX:21 ($name)" pack "$size" \
    "$arch" -f -m LZX:21 -r -p -P "$dir/" N "$out/$name-arch-lzx-fast.cab" "$dir/show/*.*"
  measure "arch -m MSZIP ($name)" pack "$size" \
    "$arch" -m MSZIP -r -p -P "$dir/" N "$out/$name-arch-mszip.cab" "$dir/show/*.*"
  measure "gcab -c -z ($name)" pack "$size" sh -c "$gcab_pack" "$dir" -z "$out/$name-gcab-mszip.cab"
}
pack_part mixed
pack_part text
pack_part jpeg
measure "arch -m NONE (mixed)" pack "$bytes" \
  "$arch" -m NONE -r -p -P "$corpus/" N "$out/mixed-arch-none.cab" "$corpus/show/*.*"
measure "arch -m NONE (jpeg)" pack "$(bytes_of "$work/jpeg/show")" \
  "$arch" -m NONE -r -p -P "$work/jpeg/" N "$out/jpeg-arch-none.cab" "$work/jpeg/show/*.*"
measure "gcab -c (mixed)" pack "$bytes" sh -c "$gcab_pack" "$corpus" "" "$out/mixed-gcab-none.cab"

extract_all() { # CABINET NAME
  measure "arch X $2" extract "$bytes" "$arch" -o -p X "$1" "$out/x-arch/"
  same_as "$corpus/show" "$out/x-arch" "arch X $2"
  rm -rf "$out/x-arch"
  measure "cabextract $2" extract "$bytes" cabextract -q -d "$out/x-cabextract" "$1"
  same_as "$corpus/show" "$out/x-cabextract" "cabextract $2"
  rm -rf "$out/x-cabextract"
  measure "gcab -x $2" extract "$bytes" gcab -x -C "$out/x-gcab" "$1"
  same_as "$corpus/show" "$out/x-gcab" "gcab -x $2"
  rm -rf "$out/x-gcab"
}
extract_all "$out/mixed-arch-mszip.cab" "(arch MSZIP)"
extract_all "$out/mixed-gcab-mszip.cab" "(gcab MSZIP)"
extract_all "$out/mixed-arch-lzx.cab" "(arch LZX:21)"
extract_all "$out/mixed-arch-lzx-fast.cab" "(arch -f LZX:21)"

if [ -n "$win" ] && [ -f "$win/arch/arch.exe" ]; then
  winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
  wrun="$win/wine-run"
  "$wrun" "$win/arch/arch.exe" -h >/dev/null 2>&1 || true # start the prefix's server first
  for method in MSZIP LZX:21; do
    measure "arch.exe -m $method (Wine)" pack "$bytes" "$wrun" "$win/arch/arch.exe" -m $method -r -p \
      -P "$(winpath "$corpus/")" N "$(winpath "$out/arch-exe.cab")" "$(winpath "$corpus/show")\\*.*"
    measure "arch.exe X $method (Wine)" extract "$bytes" "$wrun" "$win/arch/arch.exe" -o -p X \
      "$(winpath "$out/arch-exe.cab")" "$(winpath "$out/x-exe")\\"
    same_as "$corpus/show" "$out/x-exe" "arch.exe X $method"
    rm -rf "$out/x-exe"
  done
fi

size_of() { stat -c %s "$out/$1"; }
echo
awk -F'|' '
  { s = ($3 > 0 ? $3 : 0.001); printf "%-38s %-7s %8.2f s %8.1f MiB/s %8.0f MiB peak\n", $1, $2, $3, $5 / 1048576 / s, $4 / 1024 }
' "$results"
echo
printf '%-26s %10s %8s\n' cabinet MiB "of input"
for c in mixed-arch-lzx mixed-arch-lzx-fast mixed-arch-mszip mixed-gcab-mszip mixed-arch-none mixed-gcab-none \
         text-arch-lzx text-arch-lzx-fast text-arch-mszip text-gcab-mszip \
         jpeg-arch-lzx jpeg-arch-lzx-fast jpeg-arch-mszip jpeg-gcab-mszip jpeg-arch-none; do
  case $c in mixed-*) input=$bytes ;; *) input=$(bytes_of "$work/${c%%-*}/show") ;; esac
  printf '%-26s %10.1f %7.1f%%\n' "$c.cab" "$(size_of $c.cab | awk '{print $1 / 1048576}')" \
    "$(size_of $c.cab | awk -v b="$input" '{print 100 * $1 / b}')"
done

secs() { awk -F'|' -v l="$1" '$1 == l { print ($3 > 0 ? $3 : 0.001) }' "$results"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b / a }'; } # throughput ratio of a over b = time b / time a
size_ratio() { awk -v a="$(size_of "$1")" -v b="$(size_of "$2")" 'BEGIN { printf "%.3f", a / b }'; }
# goal VALUE OPERATOR LIMIT: "(goal ... met)" or "(goal ... MISSED)"
goal() { awk -v v="$1" -v op="$2" -v l="$3" 'BEGIN {
  ok = (op == "<=" && v <= l) || (op == ">=" && v >= l) || (op == ">" && v > l)
  printf "(goal %s %s %s)", op, l, ok ? "met" : "MISSED" }'; }

echo
echo "LZX:21 as a ratio to gcab -z (MSZIP) on the same files, in the same run:"
echo "  (size: arch's cabinet / gcab's, below 1 is smaller; throughput: above 1 is faster)"
for name in text mixed jpeg; do
  case $name in text) what="HTML and text" ;; mixed) what="mixed" ;; jpeg) what="JPEG" ;; esac
  for level in default fast; do
    if [ $level = default ]; then cab=$name-arch-lzx.cab; label="arch -m LZX:21 ($name)"
    else cab=$name-arch-lzx-fast.cab; label="arch -f -m LZX:21 ($name)"; fi
    s=$(size_ratio "$cab" "$name-gcab-mszip.cab")
    t=$(ratio "$(secs "$label")" "$(secs "gcab -c -z ($name)")")
    sgoal=""; tgoal=""
    [ $name = text ] && [ $level = default ] && sgoal=$(goal "$s" "<=" 0.85)
    [ $level = default ] && tgoal=$(goal "$t" ">=" 0.5)
    [ $level = fast ] && tgoal=$(goal "$t" ">" 1.0)
    printf '  %-14s %-8s size %s %-22s throughput %s %s\n' "$what" "$level" "$s" "$sgoal" "$t" "$tgoal"
  done
done
echo
echo "LZX:21 against MSZIP on the mixed corpus (size, LZX / MSZIP; never above 1):"
for level in default fast; do
  cab=mixed-arch-lzx.cab; [ $level = fast ] && cab=mixed-arch-lzx-fast.cab
  s=$(size_ratio $cab mixed-arch-mszip.cab)
  g=$(size_ratio $cab mixed-gcab-mszip.cab)
  printf '  %-8s vs arch -m MSZIP %s %s   vs gcab -z %s %s\n' $level "$s" "$(goal "$s" "<=" 1)" "$g" "$(goal "$g" "<=" 1)"
done
echo "JPEG (incompressible): LZX:21 packing throughput as a ratio to storing the photos (arch -m NONE):"
for level in default fast; do
  label="arch -m LZX:21 (jpeg)"; cab=jpeg-arch-lzx.cab
  [ $level = fast ] && label="arch -f -m LZX:21 (jpeg)" && cab=jpeg-arch-lzx-fast.cab
  printf '  %-8s %s, cabinet %s of the stored one\n' $level "$(ratio "$(secs "$label")" "$(secs 'arch -m NONE (jpeg)')")" \
    "$(size_ratio $cab jpeg-arch-none.cab)"
done
echo
echo "arch as a ratio to its peers (above 1: arch is faster or smaller):"
echo "  packing MSZIP, throughput vs gcab -c -z:           $(ratio "$(secs 'arch -m MSZIP (mixed)')" "$(secs 'gcab -c -z (mixed)')")"
echo "  packing stored, throughput vs gcab -c:             $(ratio "$(secs 'arch -m NONE (mixed)')" "$(secs 'gcab -c (mixed)')")"
echo "  cabinet size, MSZIP, gcab / arch:                  $(awk -v a="$(size_of mixed-arch-mszip.cab)" -v g="$(size_of mixed-gcab-mszip.cab)" 'BEGIN { printf "%.3f", g / a }')"
for c in "arch MSZIP" "gcab MSZIP" "arch LZX:21"; do
  printf '  extracting %-12s vs cabextract: %-8s vs gcab -x: %s\n' "($c)," \
    "$(ratio "$(secs "arch X ($c)")" "$(secs "cabextract ($c)")")" "$(ratio "$(secs "arch X ($c)")" "$(secs "gcab -x ($c)")")"
done
