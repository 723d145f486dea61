#!/bin/sh
# Draws the program icon ambrel.ico (48, 32 and 16 pixels): a deep blue tile
# with a stack of three slides and an amber title bar on the front one.
# Needs ImageMagick. Run from anywhere; writes beside this script.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

draw() {
  s=$1
  # Coordinates are laid out on a 48-pixel grid and scaled.
  k=$(awk "BEGIN{print $s/48}")
  c() { awk "BEGIN{printf \"%d\", $1*$k+0.5}"; }
  convert -size "${s}x${s}" xc:none \
    -fill '#1d3f8f' -stroke '#0f2560' -strokewidth 1 \
    -draw "roundrectangle 1,1 $(c 46),$(c 46) $(c 8),$(c 8)" \
    -stroke none -fill '#8fb0e8' -draw "rectangle $(c 17),$(c 8) $(c 40),$(c 25)" \
    -fill '#c7d8f5' -draw "rectangle $(c 12),$(c 13) $(c 35),$(c 30)" \
    -fill '#ffffff' -draw "rectangle $(c 7),$(c 18) $(c 30),$(c 37)" \
    -fill '#f2a900' -draw "rectangle $(c 7),$(c 18) $(c 30),$(c 22)" \
    -fill '#1d3f8f' -draw "rectangle $(c 10),$(c 26) $(c 26),$(c 27)" \
    -fill '#1d3f8f' -draw "rectangle $(c 10),$(c 30) $(c 22),$(c 31)" \
    "PNG32:$tmp/icon$s.png"
}

for s in 48 32 16; do draw $s; done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" "$here/ambrel.ico"
