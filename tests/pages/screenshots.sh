#!/bin/sh
# Screenshots of the creation pages and the entry dialogs on the Windows
# build's Xvfb display, saved as build/win/screenshots/<name>.png.
#   tests/pages/screenshots.sh [WIN_BUILD_DIR]
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$src/build/win}" && pwd)
run="$build/wine-run"
out="$build/screenshots"
shots="$build/wineprefix/drive_c/ambrel-tests/shots"
mkdir -p "$out"
rm -rf "$shots"
eval "$($run --env)"

"$run" "$build/tests/pages/pages_screenshots.exe" &
pid=$!
for name in document-page-fresh document-page add-document add-live-url add-group photo-page add-photos \
    progress-copying progress-packing; do
  i=0
  while [ ! -f "$shots/ready-$name" ]; do
    i=$((i + 1))
    if [ $i -gt 600 ] || ! kill -0 $pid 2>/dev/null; then echo "screenshots: $name never appeared" >&2; exit 1; fi
    sleep 0.1
  done
  import -display "$DISPLAY" -window root "$out/$name.png"
  echo "$out/$name.png"
  touch "$shots/done-$name"
done
wait $pid
