#!/bin/sh
# Lays out the installation's flash folder in a build: the page that plays a
# Flash movie and the Ruffle player, whose files come from the npm registry
# as data/flash/package-lock.json pins them, with their licences.
#
#   flash-player.sh SOURCE_DIR BUILD_DIR     -> BUILD_DIR/flash/
set -eu
src=$1
build=$2
npm_dir="$build/flash-npm"
out="$build/flash"

# The packages, installed again only when the lock file changed.
mkdir -p "$npm_dir"
if ! cmp -s "$src/data/flash/package-lock.json" "$npm_dir/node_modules/.ambrel-installed-lock" 2>/dev/null; then
  cp "$src/data/flash/package.json" "$src/data/flash/package-lock.json" "$npm_dir/"
  (cd "$npm_dir" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  cp "$src/data/flash/package-lock.json" "$npm_dir/node_modules/.ambrel-installed-lock"
fi

# The player's own files and licences, without the source maps it ships for
# its developers. Its compiled code (.wasm) goes as scripts that hold it in
# base64 (.wasm.js): a page opened from a file may load scripts beside it but
# fetch no file, and a web server then needs no type of its own for it. The
# movie page hands the code to the player (flash.html).
ruffle="$npm_dir/node_modules/@ruffle-rs/ruffle"
rm -rf "$out"
mkdir -p "$out/ruffle"
cp "$src/data/flash/flash.html" "$out/"
cp "$ruffle"/ruffle.js "$ruffle"/core.ruffle.*.js "$ruffle"/LICENSE_MIT "$ruffle"/LICENSE_APACHE "$out/ruffle/"
for wasm in "$ruffle"/*.wasm; do
  name=$(basename "$wasm")
  {
    printf '(window.AmbrelFlashPlayer = window.AmbrelFlashPlayer || {})["%s"] = "' "$name"
    base64 -w0 "$wasm"
    printf '";\n'
  } > "$out/ruffle/$name.js"
done
