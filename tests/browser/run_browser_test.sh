#!/bin/sh
# The generated slideshow in a browser: generates package folders under Wine
# with make_slideshows.exe, then opens them in headless Chromium.
#
#   run_browser_test.sh SOURCE-DIR WINDOWS-BUILD-DIR
set -eu

src=$1
build=$(cd "$2" && pwd)
here="$src/tests/browser"
out="$build/tests/browser"
mkdir -p "$out"

# The test's own npm packages, installed from the lock file when they are
# missing or the lock file changed since.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.ambrel-installed-lock" 2>/dev/null; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$here/node_modules/.ambrel-installed-lock"
fi

# The documents of the presentations: the pages as they are, and pictures
# drawn here.
fixtures="$out/fixtures"
rm -rf "$fixtures"
mkdir -p "$fixtures"
cp -R "$here/fixtures/." "$fixtures/"
convert -size 960x600 gradient:'#ffb347-#6a3093' \
  -fill '#fff3b0' -draw 'circle 480,380 480,300' \
  -fill '#1d2b53' -draw 'rectangle 0,420 960,600' "$fixtures/Beach.JPG"
convert -size 800x600 gradient:'#a8e063-#1e5631' \
  -fill '#0b3d20' -draw 'polygon 200,560 300,200 400,560' -draw 'polygon 420,560 540,140 660,560' \
  "$fixtures/Forest.jpg"
convert -size 600x800 gradient:'#89f7fe-#1c5d99' \
  -fill '#e0f7ff' -draw 'ellipse 300,600 260,60 0,360' "$fixtures/Lake.jpeg"

windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$build/wine-run" "$build/tests/browser/make_slideshows.exe" "$(windows_path "$fixtures")"

# The work folder of the test root, on the prefix's drive C:.
work="$build/wineprefix/drive_c/ambrel-tests/browser/Data/ambrel/temp"
[ -f "$work/document/resources/left.html" ] || { echo "no package folder under $work" >&2; exit 1; }

SLIDESHOW_WORK_FOLDER="$work" SLIDESHOW_SCREENSHOTS="$out" \
  node --test "$here/slideshow.test.mjs"
