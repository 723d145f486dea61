#!/bin/sh
# Generation benchmark: builds a package folder from a large list (thousands
# of entries, hundreds of megabytes) under Wine, and prints its time as a
# ratio to copying the same documents with `cp -r` in the same run.
#
#   bench/generate_bench.sh [WINDOWS-BUILD-DIR]     (default build/win)
#
# Both copies read warm files (the documents are read once before timing)
# and write to the same file system, into the page cache (neither waits for
# the disk). The generation time is measured inside the Windows program
# around the making of the package folder (copies, page edits, photo pages,
# navigation frame), as a Save does it before it packs, so neither Wine's
# start nor the packing is counted.
set -eu

build=$(cd "${1:-build/win}" && pwd)
exe="$build/generate/generate_bench.exe"
[ -f "$exe" ] || { echo "generate_bench: build $exe first (make win)" >&2; exit 1; }

pages=${BENCH_PAGES:-600}        # web pages, each with a resource folder of 3 files
pictures=${BENCH_PICTURES:-1200} # JPEG pictures, each given a photo page
documents=${BENCH_DOCUMENTS:-1500} # PDF documents
large=${BENCH_LARGE_MIB:-200}    # one large file (a film), in MiB

# The documents live on the prefix's drive C:, like a user's documents.
drive_c="$build/wineprefix/drive_c"
[ -d "$drive_c" ] || "$build/wine-run" cmd /c exit >/dev/null 2>&1 || true
docs="$drive_c/ambrel-bench-documents"
list="$docs.list"
if [ ! -f "$docs/.complete-$pages-$pictures-$documents-$large" ]; then
  echo "Making the documents (once)..."
  rm -rf "$docs"
  mkdir -p "$docs/web" "$docs/pictures" "$docs/pdf"
  head -c 20000 /dev/urandom | base64 > "$docs/.filler"
  : > "$list"
  printf 'G\tWeb pages\n' >> "$list"
  i=0
  while [ $i -lt "$pages" ]; do
    f="$docs/web/page$i.htm"
    { printf '<html><HEAD><title>Page %d</title><script>var n = window.name;</script></HEAD><body>' $i
      cat "$docs/.filler"; printf '</body></html>\r\n'; } > "$f"
    mkdir -p "$docs/web/page${i}_files"
    head -c 30000 /dev/urandom > "$docs/web/page${i}_files/photo.jpg"
    head -c 8000 /dev/urandom > "$docs/web/page${i}_files/style.css"
    head -c 12000 /dev/urandom > "$docs/web/page${i}_files/script.js"
    printf 'F\tPage %d\tC:\\ambrel-bench-documents\\web\\page%d.htm\n' $i $i >> "$list"
    i=$((i + 1))
  done
  printf 'G\tPictures\n' >> "$list"
  i=0
  while [ $i -lt "$pictures" ]; do
    head -c 150000 /dev/urandom > "$docs/pictures/Photo$i.JPG"
    printf 'F\tPhoto %d\tC:\\ambrel-bench-documents\\pictures\\Photo%d.JPG\n' $i $i >> "$list"
    i=$((i + 1))
  done
  printf 'G\tDocuments\n' >> "$list"
  i=0
  while [ $i -lt "$documents" ]; do
    head -c 100000 /dev/urandom > "$docs/pdf/Report$i.pdf"
    printf 'F\tReport %d\tC:\\ambrel-bench-documents\\pdf\\Report%d.pdf\n' $i $i >> "$list"
    i=$((i + 1))
  done
  if [ "$large" -gt 0 ]; then
    head -c $((large * 1048576)) /dev/urandom > "$docs/Film.swf"
    printf 'F\tFilm\tC:\\ambrel-bench-documents\\Film.swf\n' >> "$list"
  fi
  printf 'U\tLive\thttp://www.example.com/\n' >> "$list"
  touch "$docs/.complete-$pages-$pictures-$documents-$large"
fi

entries=$(wc -l < "$list")
bytes=$(du -sb "$docs" | cut -f1)
files=$(find "$docs" -type f | wc -l)
echo "Documents: $files files, $((bytes / 1048576)) MiB, list of $entries entries"

# Warm the page cache for both runs.
find "$docs" -type f -exec cat {} + > /dev/null

now() { date +%s.%N; }
copy="$drive_c/ambrel-bench-copy"
rm -rf "$copy"
sync
t0=$(now)
cp -r "$docs" "$copy"
t1=$(now)
rm -rf "$copy"
sync

# The platform's own copy under Wine: xcopy /E, less what starting a Windows
# program under Wine takes by itself.
"$build/wine-run" cmd /c exit >/dev/null 2>&1 || true
t2=$(now)
"$build/wine-run" cmd /c exit >/dev/null 2>&1 || true
t3=$(now)
"$build/wine-run" xcopy /E /I /Q 'C:\ambrel-bench-documents' 'C:\ambrel-bench-copy' >/dev/null 2>&1
t4=$(now)
rm -rf "$copy"
sync

result=$("$build/wine-run" "$exe" 'C:\ambrel-bench-documents.list')
printf "%s\n" "$result"
generation=$(echo "$result" | sed -n 's/^generation_seconds //p')
[ -n "$generation" ] || { echo "generate_bench: no time reported" >&2; exit 1; }

# The same copy of what generation made, in the package's own layout: every
# document, page and folder of it in the one resources folder. Under Wine a
# new name costs more the more names its folder already holds (each is
# looked up without regard to case, by reading the folder), so this copy
# pays what the layout costs there, which the documents' own tree does not.
package=$(printf "%s\n" "$result" | sed -n 's/^package_folder //p' | tr -d '\r')
t5=$(now)
"$build/wine-run" xcopy /E /I /Q "$package" 'C:\ambrel-bench-copy' >/dev/null 2>&1
t6=$(now)
rm -rf "$copy" "$drive_c/ambrel-tests/bench"

awk -v t0="$t0" -v t1="$t1" -v t2="$t2" -v t3="$t3" -v t4="$t4" -v t5="$t5" -v t6="$t6" -v g="$generation" 'BEGIN {
  c = t1 - t0
  x = (t4 - t3) - (t3 - t2)
  p = (t6 - t5) - (t3 - t2)
  printf "cp -r: %.3f s\nxcopy /E under Wine: %.3f s\nxcopy /E of the package folder: %.3f s\ngeneration: %.3f s\n", c, x, p, g
  printf "generation / cp -r: %.2f\ngeneration / xcopy: %.2f (goal 1.30: %s)\n", g / c, g / x, g / x <= 1.3 ? "met" : "missed"
  printf "generation / xcopy of the package folder: %.2f\n", g / p
}'
