#!/bin/sh
# The archiver benchmark on real documents, with every figure measured in
# this one run, peers included:
#   docs   a language's whole HTML manual (Debian's python3.11-doc, about
#          65 MB of HTML, CSS, scripts and text);
#   mixed  that manual, man pages of this machine rendered to PDF by groff,
#          and photographs made with ImageMagick (about 100 MB).
# arch packs each with LZX:21 at its three levels (default on one thread and
# on every processor, -x, -f); gcab -z is the peer for size and packing
# speed, cabextract for extraction speed, and xz -6 of the same files is a
# reference of a stronger format. Every extraction is checked against the
# corpus. Then the peak resident size of packing for every level and window,
# and for the whole manual beside a part of it. It prints the goals as met or
# missed; it asserts nothing.
#   run-bench.sh RELEASE_DIR
set -eu
release=$(cd "$1" && pwd)
manual=/usr/share/doc/python3.11/html
PDF_MB=${PDF_MB:-13}
PHOTOS=${PHOTOS:-10}
# Packing is timed once (RUNS), extraction, far shorter, five times
# (EXTRACT_RUNS); the best time of the runs counts.
RUNS=${RUNS:-1}
EXTRACT_RUNS=${EXTRACT_RUNS:-5}

cmake --build "$release" --target arch >/dev/null
arch="$release/arch/arch"
for tool in gcab cabextract convert groff xz /usr/bin/time; do
  command -v $tool >/dev/null || { echo "run-bench.sh: $tool is missing (tools/deps.sh bench installs it)" >&2; exit 1; }
done
[ -d "$manual" ] || { echo "run-bench.sh: $manual is missing (tools/deps.sh bench installs python3.11-doc)" >&2; exit 1; }
cores=$(nproc)

work="$release/bench/arch"
stamp="v2 pdf=$PDF_MB photos=$PHOTOS"
if [ "$(cat "$work/corpus.stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "making the corpora (once; kept in $work)"
  rm -rf "$work/docs" "$work/mixed" "$work/corpus.stamp"
  mkdir -p "$work/docs" "$work/mixed/show/pdf" "$work/mixed/show/photos"
  cp -rL "$manual" "$work/docs/show"
  cp -rl "$work/docs/show" "$work/mixed/show/manual"
  # Man pages in name order, rendered until the PDFs reach PDF_MB.
  find /usr/share/man/man1 /usr/share/man/man3 /usr/share/man/man5 /usr/share/man/man8 -name '*.gz' 2>/dev/null |
    sort | while read -r page; do
      [ "$(du -sm "$work/mixed/show/pdf" | cut -f1)" -ge "$PDF_MB" ] && break
      name=$(basename "$page" .gz)
      zcat "$page" 2>/dev/null | groff -Tpdf -man -t -k >"$work/mixed/show/pdf/$name.pdf" 2>/dev/null ||
        rm -f "$work/mixed/show/pdf/$name.pdf"
    done
  seed=1
  while [ $seed -le "$PHOTOS" ]; do
    convert -seed $seed -size 2400x1600 plasma:fractal -blur 0x1 -attenuate 0.3 +noise Gaussian -quality 90 \
      "$work/mixed/show/photos/photo-$seed.jpg"
    seed=$((seed + 1))
  done
  echo "$stamp" >"$work/corpus.stamp"
fi

bytes_of() { find "$1" -type f -printf '%s\n' | awk '{s += $1} END {printf "%.0f", s}'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
out="$work/out"
rm -rf "$out"
mkdir -p "$out"
results="$out/results"
: >"$results"
for c in docs mixed; do tar -cf /dev/null -C "$work/$c" show; done # a warm cache for every tool

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $cores cores," \
  "$(free -g | awk '/^Mem/ {print $2}') GiB; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf 'docs:  %s MiB in %s files (%s)\n' "$(mib "$(bytes_of "$work/docs/show")")" \
  "$(find "$work/docs/show" -type f | wc -l)" "$(dpkg-query -W -f='${Package} ${Version}' python3.11-doc)"
printf 'mixed: %s MiB: the manual, %s MiB of PDF (%s man pages), %s MiB of JPEG (%s photos)\n' \
  "$(mib "$(bytes_of "$work/mixed/show")")" "$(mib "$(bytes_of "$work/mixed/show/pdf")")" \
  "$(find "$work/mixed/show/pdf" -type f | wc -l)" "$(mib "$(bytes_of "$work/mixed/show/photos")")" "$PHOTOS"

# measure LABEL COMMAND...: the best wall-clock time of $runs runs (RUNS
# unless set) and the highest peak resident size (KiB). $fresh, if set, is a
# folder removed before each run, untimed.
measure() {
  label=$1; shift
  best=""; peak=0; run=0
  while [ $run -lt "${runs:-$RUNS}" ]; do
    run=$((run + 1))
    [ -z "${fresh:-}" ] || rm -rf "$fresh"
    /usr/bin/time -f '%e %M %U %S' -o "$out/time" "$@" >"$out/log" 2>&1 ||
      { echo "$label failed:"; cat "$out/log"; exit 1; }
    read -r seconds kib user system <"$out/time"
    cpu=$(echo "$user $system" | awk '{print $1 + $2}')
    best=$(echo "$best $seconds" | awk '{print ($1 == "" || NF == 1 || $2 < $1) ? $NF : $1}')
    bestcpu=$(echo "${bestcpu:-} $cpu" | awk '{print ($1 == "" || NF == 1 || $2 < $1) ? $NF : $1}')
    [ "$kib" -gt "$peak" ] && peak=$kib
  done
  echo "$label|$best|$peak|$bestcpu" >>"$results"
  bestcpu=""
}
secs() { awk -F'|' -v l="$1" '$1 == l { print ($2 > 0 ? $2 : 0.01) }' "$results"; }
cpu() { awk -F'|' -v l="$1" '$1 == l { print ($4 > 0 ? $4 : 0.01) }' "$results"; }
peak() { awk -F'|' -v l="$1" '$1 == l { printf "%.0f", $3 / 1024 }' "$results"; }
size_of() { stat -c %s "$out/$1"; }

same_as() { # ORIGINAL EXTRACTED LABEL
  diff -r "$1" "$2/show" >/dev/null || { echo "$3: the extracted files differ from the corpus" >&2; exit 1; }
}

# gcab takes the files as arguments.
gcab_pack='cd "$0" && find show -type f -print0 | sort -z | xargs -0 -x gcab -c -z "$1"'

xdir=$out
if [ -d /dev/shm ] && [ -w /dev/shm ]; then xdir=$(mktemp -d /dev/shm/ambrel-bench.XXXXXX); fi
trap '[ "$xdir" = "$out" ] || rm -rf "$xdir"' EXIT
for c in docs mixed; do
  dir=$work/$c
  pack() { # LABEL CABINET ARCH-OPTIONS...
    label=$1; cab=$2; shift 2
    measure "$label $c" "$arch" "$@" -m LZX:21 -r -p -P "$dir/" N "$out/$c-$cab.cab" "$dir/show/*.*"
  }
  measure "gcab $c" sh -c "$gcab_pack" "$dir" "$out/$c-gcab.cab"
  tar -cf - -C "$dir" show | xz -6 -T1 >"$out/$c.tar.xz"
  pack default-1 default -j 1
  pack default-all default-all -j "$cores"
  cmp -s "$out/$c-default.cab" "$out/$c-default-all.cab" ||
    { echo "$c: the cabinets of 1 and $cores threads differ" >&2; exit 1; }
  pack best-1 best -x -j 1
  pack fast fast -f
  for cab in default best fast; do
    # Into a new folder each time, as the peer writes, in memory: on a disk
    # file system the making of the files (the same for both tools, and on
    # a disk mounted with discard varying several times over from run to
    # run) drowns the decoding that is compared.
    runs=$EXTRACT_RUNS fresh="$xdir/x-arch" measure "arch X $c-$cab" "$arch" -p X "$out/$c-$cab.cab" "$xdir/x-arch/"
    same_as "$dir/show" "$xdir/x-arch" "arch X $c-$cab"
    runs=$EXTRACT_RUNS fresh="$xdir/x-cabextract" measure "cabextract $c-$cab" \
      cabextract -q -d "$xdir/x-cabextract" "$out/$c-$cab.cab"
    same_as "$dir/show" "$xdir/x-cabextract" "cabextract $c-$cab"
    rm -rf "$xdir/x-arch" "$xdir/x-cabextract"
    unset runs fresh # (some shells keep a function call's assignments)
  done
done

# Peak resident size of packing, for each level and window, on one thread
# and on every processor: on the manual's reST sources alone (more
# than one stretch of the largest window) and, for LZX:21, on all of it.
part="$work/docs/show/_sources"
# RSS=0 leaves this part out.
[ "${RSS:-1}" = 0 ] || for w in 15 16 17 18 19 20 21; do
  for level in fast default best; do
    case $level in fast) opt=-f ;; default) opt="" ;; best) opt=-x ;; esac
    for j in 1 "$cores"; do
      [ $level = fast ] && [ "$j" != 1 ] && continue
      # shellcheck disable=SC2086
      measure "rss $level $w $j" "$arch" $opt -j "$j" -m LZX:$w -r -p -P "$work/docs/show/" N "$out/rss.cab" \
        "$part/*.*"
    done
  done
done

echo
echo "Sizes as fractions of gcab -z, speeds as multiples of gcab -z's packing and of cabextract's"
echo "extraction of the same cabinet (wall clock, files read and written; extractions into $xdir):"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b / a }'; } # speed of a over b
size_ratio() { awk -v a="$(size_of "$1")" -v b="$(size_of "$2")" 'BEGIN { printf "%.3f", a / b }'; }
# goal VALUE OPERATOR LIMIT: "value (met)" or "value (MISSED <op> limit)"
goal() { awk -v v="$1" -v op="$2" -v l="$3" 'BEGIN {
  ok = (op == "<=" && v <= l) || (op == ">=" && v >= l)
  printf "%s %s", v, ok ? "met" : "MISSED " op l }'; }
row() { printf '| %-22s | %-20s | %-20s | %-20s | %-22s | %-30s |\n' "$@"; }
row "" "size, docs" "size, mixed" "pack speed, 1 thread" "pack speed, $cores threads" "extract speed, docs / mixed"
row "---" "---" "---" "---" "---" "---"
extract() { # CAB LIMIT
  d=$(ratio "$(secs "arch X docs-$1")" "$(secs "cabextract docs-$1")")
  m=$(ratio "$(secs "arch X mixed-$1")" "$(secs "cabextract mixed-$1")")
  echo "$(goal "$d" ">=" "$2") / $(goal "$m" ">=" "$2")"
}
speed() { ratio "$(secs "$1 docs")" "$(secs "gcab docs")"; }
row "arch -m LZX:21" "$(goal "$(size_ratio docs-default.cab docs-gcab.cab)" "<=" 0.66)" \
  "$(goal "$(size_ratio mixed-default.cab mixed-gcab.cab)" "<=" 0.86)" "$(goal "$(speed default-1)" ">=" 0.5)" \
  "$(goal "$(speed default-all)" ">=" 0.9)" "$(extract default 1.5)"
row "arch -x -m LZX:21" "$(goal "$(size_ratio docs-best.cab docs-gcab.cab)" "<=" 0.63)" \
  "$(goal "$(size_ratio mixed-best.cab mixed-gcab.cab)" "<=" 0.85)" "$(goal "$(speed best-1)" ">=" 0.15)" "" \
  "$(extract best 1.5)"
row "arch -f -m LZX:21" "$(goal "$(size_ratio docs-fast.cab docs-gcab.cab)" "<=" 0.78)" \
  "$(goal "$(size_ratio mixed-fast.cab mixed-gcab.cab)" "<=" 0.89)" "$(goal "$(speed fast)" ">=" 1.5)" "" \
  "$(extract fast 1.5)"
row "xz -6 (reference)" "$(size_ratio docs.tar.xz docs-gcab.cab)" "$(size_ratio mixed.tar.xz mixed-gcab.cab)" "" "" ""
row "gcab -z" "1 ($(mib "$(size_of docs-gcab.cab)") MiB)" "1 ($(mib "$(size_of mixed-gcab.cab)") MiB)" \
  "1 ($(secs "gcab docs") s)" "" "cabextract: $(secs "cabextract docs-default") s / $(secs "cabextract mixed-default") s"
echo "(the goals of the -x and -f rows' pack speeds are for one thread; -f always packs on one)"
echo
echo "The same speeds by processor time (user and system, all threads), which other work on a shared"
echo "machine disturbs less than the wall clock:"
row "" "pack speed, 1 thread" "processor time, all threads" "extract speed, docs" "extract speed, mixed" ""
row "---" "---" "---" "---" "---" ""
cpu_ratio() { ratio "$(cpu "$1")" "$(cpu "$2")"; }
for level in default best fast; do
  one=$level-1
  [ $level = fast ] && one=fast
  all=""
  [ $level = default ] && all="$(cpu_ratio "default-all docs" "gcab docs")"
  row "$level" "$(cpu_ratio "$one docs" "gcab docs")" "$all" \
    "$(cpu_ratio "arch X docs-$level" "cabextract docs-$level")" \
    "$(cpu_ratio "arch X mixed-$level" "cabextract mixed-$level")" ""
done

echo
echo "Times (s) and peak resident size (MiB):"
awk -F'|' '$1 !~ /^rss / { printf "  %-28s %8.2f s %8.2f s processor %6.0f MiB\n", $1, $2, $4, $3 / 1024 }' "$results"
echo
printf 'Peak resident size of packing (MiB) on %s MiB (the manual reST sources); fast on 1 thread:\n' \
  "$(mib "$(bytes_of "$part")")"
printf '  %-8s %6s %12s %12s %12s %12s\n' window fast "default -j1" "default -j$cores" "best -j1" "best -j$cores"
for w in 15 16 17 18 19 20 21; do
  [ "${RSS:-1}" = 0 ] && break
  printf '  LZX:%-4s %6s %12s %12s %12s %12s\n' $w "$(peak "rss fast $w 1")" "$(peak "rss default $w 1")" \
    "$(peak "rss default $w $cores")" "$(peak "rss best $w 1")" "$(peak "rss best $w $cores")"
done
printf 'LZX:21 on all %s MiB of the manual: default -j1 %s MiB, -j%s %s MiB, best -j1 %s MiB, fast %s MiB\n' \
  "$(mib "$(bytes_of "$work/docs/show")")" "$(peak "default-1 docs")" "$cores" "$(peak "default-all docs")" \
  "$(peak "best-1 docs")" "$(peak "fast docs")"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
