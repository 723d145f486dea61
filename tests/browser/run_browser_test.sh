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
# The saved page's pictures, in its mixed-case folder; documents whose names
# a URL cannot hold as they are; a Flash movie.
mkdir -p "$fixtures/Report_files/Charts"
convert -size 120x60 xc:'#2b6cb0' "$fixtures/Report_files/Logo.PNG"
convert -size 160x80 xc:'#38a169' "$fixtures/Report_files/Charts/Bar.png"
for name in 'Results #2' '100%' 'My page été'; do
  printf '<html><head><meta charset="utf-8"><title>%s</title></head><body><h1 id="heading">%s</h1></body></html>\n' "$name" "$name" \
    > "$fixtures/$name.html"
done
node "$here/make_swf.mjs" "$fixtures/Movie.swf"

windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$build/wine-run" "$build/tests/browser/make_slideshows.exe" "$(windows_path "$fixtures")"

# The work folder of the test root, on the prefix's drive C:.
work="$build/wineprefix/drive_c/ambrel-tests/browser/Data/ambrel/temp"
[ -f "$work/document/resources/left.html" ] || { echo "no package folder under $work" >&2; exit 1; }

# Presentations made on Russian and Japanese systems: a prefix of their own,
# whose programs run with the ANSI code page of the locale they are given
# (Wine takes it from LC_ALL; the locales are compiled here, so that the
# system's own are not needed).
locales="$out/locales"
for locale in ru_RU ja_JP; do
  [ -d "$locales/$locale.UTF-8" ] || { mkdir -p "$locales" && localedef -i "$locale" -f UTF-8 "$locales/$locale.UTF-8"; }
done
code_pages="$build/wineprefix-codepages"
trap '"$src/tools/wine-run" --prefix "$code_pages" --shutdown' EXIT
for pair in 1251:ru_RU 932:ja_JP; do
  code_page=${pair%%:*}
  LOCPATH="$locales" LC_ALL="${pair#*:}.UTF-8" "$src/tools/wine-run" --prefix "$code_pages" \
    "$build/tests/browser/make_slideshows.exe" "$(windows_path "$fixtures")" --code-page "$code_page"
  rm -rf "$work/cp$code_page"
  cp -R "$code_pages/drive_c/ambrel-tests/browser/Data/ambrel/temp/cp$code_page" "$work/"
done

SLIDESHOW_WORK_FOLDER="$work" SLIDESHOW_SCREENSHOTS="$out" \
  node --test "$here/slideshow.test.mjs"
