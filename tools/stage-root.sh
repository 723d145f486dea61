#!/bin/sh
# Lays out an install root as the installer would: the programs and the data
# under <root>/corvane/res/utilities/ambrel/.
#   stage-root.sh WIN_BUILD_DIR ROOT_DIR
set -eu
build=$1
root=$2
src=$(cd "$(dirname "$0")/.." && pwd)
dest="$root/corvane/res/utilities/ambrel"
mkdir -p "$dest" "$root/corvane/res"

for exe in ambrel.exe arch/arch.exe splash/glowcard.exe splash/splash.exe; do
  if [ -f "$build/$exe" ]; then cp "$build/$exe" "$dest/"; fi
done
cp "$src/data/readme.html" "$src/data/snapvalereadme.html" "$dest/"
if [ -d "$src/data/template" ]; then
  rm -rf "$dest/template"
  mkdir -p "$dest/template"
  # The template without the scripts that draw its pictures.
  (cd "$src/data/template" && find . -type f ! -name '*.sh' ! -name '*.py' | while read -r f; do
     mkdir -p "$dest/template/$(dirname "$f")"; cp "$f" "$dest/template/$f"; done)
fi
# The movie page and the Flash player, beside the template (laid out by the
# build: tools/flash-player.sh).
if [ -d "$build/flash" ]; then
  rm -rf "$dest/flash"
  cp -R "$build/flash" "$dest/flash"
fi
echo "staged $dest"
