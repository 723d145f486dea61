#!/bin/sh
# Draws the splash programs' pictures and icons, beside this script:
#   snapvale.bmp, snapvale.ico  glowcard.exe, the photo-album edition
#   ambrel.bmp, ambrel.ico      splash.exe, the document edition
# The pictures are 520 x 316, 24 bits per pixel, without a colour table
# (BMP3, TrueColor); the icons hold a 32 x 32 and a 16 x 16 image.
# Needs ImageMagick 6 and the DejaVu fonts. Run from anywhere.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

W=520
H=316
AMBER='#f2a900'
BOLD=DejaVu-Sans-Bold
BOOK=DejaVu-Sans

# A print with a white border: picture $2 (any size) framed at $3 x $4.
frame() {
  out=$1 picture=$2 w=$3 h=$4
  convert -size "${w}x${h}" xc:'#fbfaf7' \
    \( "$picture" -resize "$((w - 16))x$((h - 16))!" \) -geometry +8+8 -composite \
    -fill none -stroke '#e4e1da' -strokewidth 1 -draw "rectangle 0,0 $((w - 1)),$((h - 1))" \
    "PNG32:$out"
}

# Turns a layer by $2 degrees and gives it a soft shadow below right.
lift() {
  in=$1 angle=$2 out=$3
  convert "$in" -background none -rotate "$angle" \
    \( +clone -background '#0a0f24' -shadow 45x5+3+6 \) +swap \
    -background none -layers merge +repage "PNG32:$out"
}

# Saves a picture as the 24-bit bitmap the programs embed.
save_bmp() {
  convert "$1" -alpha off -type TrueColor "BMP3:$2"
}

# ---- Snapvale: a stack of holiday prints, the front one a green vale -------

snapvale() {
  # Dusk: deep blue at the text, warming to rose behind the prints.
  convert -size "${W}x${H}" xc: \
    -sparse-color Barycentric "0,0 #142a4c  ${W},0 #33407c  0,${H} #101d36  ${W},${H} #a8566e" \
    "$tmp/sv_bg.png"
  # Out-of-focus lights.
  convert -size "${W}x${H}" xc:none -fill 'rgba(255,255,255,0.06)' \
    -draw "circle 455,48 455,92" -draw "circle 300,270 300,300" -draw "circle 505,250 505,318" \
    -fill 'rgba(255,214,140,0.08)' -draw "circle 250,40 250,58" -draw "circle 420,300 420,316" \
    "$tmp/sv_lights.png"

  # The front print: a valley under a low sun.
  convert -size 160x118 xc: -sparse-color Barycentric "0,0 #7cc4ef  160,0 #a9d8f2  0,118 #fde2b3  160,118 #fbd0a0" \
    -fill '#ffd766' -draw "circle 112,44 112,60" \
    -fill 'rgba(255,255,255,0.85)' -draw "ellipse 38,30 18,6 0,360" -draw "ellipse 54,27 12,5 0,360" \
    -fill '#6fb37a' -draw "path 'M 0,78 Q 40,48 86,70 T 160,60 L 160,118 L 0,118 Z'" \
    -fill '#3f8f5a' -draw "path 'M 0,96 Q 52,70 104,92 T 160,86 L 160,118 L 0,118 Z'" \
    -fill '#f4e3b5' -draw "path 'M 70,118 Q 78,100 96,92 L 99,93 Q 86,102 84,118 Z'" \
    "$tmp/sv_vale.png"
  # The middle print: sea and sky.
  convert -size 160x118 xc: -sparse-color Barycentric "0,0 #f7b267  160,0 #f4845f  0,70 #f7c59f  160,118 #2f6690" \
    -fill '#fff1c7' -draw "circle 50,52 50,64" \
    -fill '#2f6690' -draw "rectangle 0,72 160,118" \
    -fill 'rgba(255,241,199,0.7)' -draw "rectangle 40,78 60,80" -draw "rectangle 34,86 66,88" -draw "rectangle 44,95 56,97" \
    "$tmp/sv_sea.png"
  # The back print: a field of flowers.
  convert -size 160x118 gradient:'#a9d8ff-#eef7ff' \
    -fill '#7cc36b' -draw "rectangle 0,70 160,118" \
    -fill '#ff8fab' -draw "circle 30,90 30,94" -draw "circle 70,100 70,104" -draw "circle 120,88 120,92" \
    -fill '#ffd166' -draw "circle 52,84 52,87" -draw "circle 100,106 100,110" -draw "circle 140,100 140,103" \
    "$tmp/sv_field.png"

  frame "$tmp/sv_back.png" "$tmp/sv_field.png" 166 126
  frame "$tmp/sv_mid.png" "$tmp/sv_sea.png" 166 126
  frame "$tmp/sv_front.png" "$tmp/sv_vale.png" 166 126
  lift "$tmp/sv_back.png" -14 "$tmp/sv_back_l.png"
  lift "$tmp/sv_mid.png" 9 "$tmp/sv_mid_l.png"
  lift "$tmp/sv_front.png" -3 "$tmp/sv_front_l.png"

  convert "$tmp/sv_bg.png" "$tmp/sv_lights.png" -composite \
    "$tmp/sv_back_l.png" -gravity center -geometry +128-20 -composite \
    "$tmp/sv_mid_l.png" -geometry +156+2 -composite \
    "$tmp/sv_front_l.png" -geometry +132+20 -composite \
    -gravity NorthWest \
    -font "$BOLD" -pointsize 42 -fill '#ffffff' -annotate +34+108 'Snapvale' \
    -stroke none -fill "$AMBER" -draw "roundrectangle 36,170 88,174 2,2" \
    -font "$BOOK" -pointsize 15 -fill '#dbe3f5' -annotate +36+188 'an Ambrel product' \
    -annotate +36+208 'from Corvane' \
    -font "$BOOK" -pointsize 11 -fill '#8f9cc0' -kerning 2 -annotate +36+272 'PHOTO ALBUMS' \
    "$tmp/snapvale.png"
  save_bmp "$tmp/snapvale.png" "$here/snapvale.bmp"
}

# ---- Ambrel: a stack of slides, the front one ready to play ----------------

ambrel() {
  convert -size "${W}x${H}" xc: \
    -sparse-color Barycentric "0,0 #0e2358  ${W},0 #1b48a6  0,${H} #0a1a44  ${W},${H} #2a62c9" \
    "$tmp/am_bg.png"
  # A faint ring behind the slides.
  convert -size "${W}x${H}" xc:none -fill none -stroke 'rgba(255,255,255,0.07)' -strokewidth 18 \
    -draw "circle 392,162 392,292" -strokewidth 2 -stroke 'rgba(242,169,0,0.25)' -draw "circle 392,162 392,306" \
    "$tmp/am_ring.png"

  # Slides of 16:10, the back ones tinted.
  convert -size 196x124 xc:none -fill '#8fb0e8' -draw "roundrectangle 0,0 195,123 8,8" "PNG32:$tmp/am_s3.png"
  convert -size 196x124 xc:none -fill '#c7d8f5' -draw "roundrectangle 0,0 195,123 8,8" "PNG32:$tmp/am_s2.png"
  convert -size 196x124 xc:none -fill '#ffffff' -draw "roundrectangle 0,0 195,123 8,8" \
    -fill "$AMBER" -draw "path 'M 0,8 A 8,8 0 0 1 8,0 L 187,0 A 8,8 0 0 1 195,8 L 195,24 L 0,24 Z'" \
    -fill 'rgba(255,255,255,0.9)' -draw "roundrectangle 12,9 86,15 3,3" \
    -fill '#1d3f8f' -draw "roundrectangle 16,40 112,46 3,3" \
    -fill '#9aa9c7' -draw "roundrectangle 16,56 100,61 2,2" -draw "roundrectangle 16,70 108,75 2,2" \
    -draw "roundrectangle 16,84 88,89 2,2" -draw "roundrectangle 16,98 96,103 2,2" \
    -fill '#1d3f8f' -draw "circle 152,78 152,104" \
    -fill '#ffffff' -draw "polygon 145,66 145,90 165,78" \
    "PNG32:$tmp/am_s1.png"
  lift "$tmp/am_s3.png" 0 "$tmp/am_s3_l.png"
  lift "$tmp/am_s2.png" 0 "$tmp/am_s2_l.png"
  lift "$tmp/am_s1.png" 0 "$tmp/am_s1_l.png"

  convert "$tmp/am_bg.png" "$tmp/am_ring.png" -composite \
    "$tmp/am_s3_l.png" -gravity center -geometry +158-26 -composite \
    "$tmp/am_s2_l.png" -geometry +142-8 -composite \
    "$tmp/am_s1_l.png" -geometry +126+12 -composite \
    -gravity NorthWest \
    -font "$BOLD" -pointsize 50 -fill '#ffffff' -annotate +34+100 'Ambrel' \
    -stroke none -fill "$AMBER" -draw "roundrectangle 36,172 88,176 2,2" \
    -font "$BOOK" -pointsize 15 -fill '#d6e2fa' -annotate +36+190 'Documents into' \
    -annotate +36+210 'presentation packages' \
    -font "$BOOK" -pointsize 11 -fill '#a9bce6' -kerning 2 -annotate +36+272 'CORVANE' \
    "$tmp/ambrel.png"
  save_bmp "$tmp/ambrel.png" "$here/ambrel.bmp"
}

# ---- Icons: 32 and 16 pixels, drawn for each size --------------------------

# $1 size, $2 output: a framed print of a green vale under a sun.
snapvale_icon() {
  s=$1
  if [ "$s" -ge 32 ]; then
    convert -size 32x32 xc:none \
      -fill '#b14d6a' -draw "roundrectangle 0,0 31,31 6,6" \
      -fill '#fbfaf7' -draw "rectangle 5,6 26,25" \
      -fill '#7cc4ef' -draw "rectangle 7,8 24,19" \
      -fill '#ffd766' -draw "circle 20,12 20,14" \
      -fill '#6fb37a' -draw "path 'M 7,17 Q 12,12 17,16 T 24,15 L 24,21 L 7,21 Z'" \
      -fill '#3f8f5a' -draw "path 'M 7,20 Q 14,16 19,19 T 24,19 L 24,23 L 7,23 Z'" \
      -fill '#fbfaf7' -draw "rectangle 7,21 24,25" \
      "PNG32:$2"
  else
    convert -size 16x16 xc:none \
      -fill '#b14d6a' -draw "roundrectangle 0,0 15,15 3,3" \
      -fill '#fbfaf7' -draw "rectangle 2,3 13,13" \
      -fill '#7cc4ef' -draw "rectangle 3,4 12,9" \
      -fill '#ffd766' -draw "rectangle 10,5 11,6" \
      -fill '#3f8f5a' -draw "rectangle 3,9 12,11" -draw "rectangle 5,8 8,8" \
      "PNG32:$2"
  fi
}

# $1 size, $2 output: a blue tile with a white slide, amber title bar and a
# play sign.
ambrel_icon() {
  s=$1
  if [ "$s" -ge 32 ]; then
    convert -size 32x32 xc:none \
      -fill '#1d3f8f' -draw "roundrectangle 0,0 31,31 6,6" \
      -fill '#8fb0e8' -draw "rectangle 9,5 27,18" \
      -fill '#ffffff' -draw "rectangle 4,10 24,25" \
      -fill "$AMBER" -draw "rectangle 4,10 24,13" \
      -fill '#1d3f8f' -draw "polygon 12,15 12,23 18,19" \
      "PNG32:$2"
  else
    convert -size 16x16 xc:none \
      -fill '#1d3f8f' -draw "roundrectangle 0,0 15,15 3,3" \
      -fill '#ffffff' -draw "rectangle 2,4 13,12" \
      -fill "$AMBER" -draw "rectangle 2,4 13,5" \
      -fill '#1d3f8f' -draw "polygon 6,7 6,11 9,9" \
      "PNG32:$2"
  fi
}

icons() {
  for s in 32 16; do
    snapvale_icon $s "$tmp/sv_icon$s.png"
    ambrel_icon $s "$tmp/am_icon$s.png"
  done
  convert "$tmp/sv_icon32.png" "$tmp/sv_icon16.png" "$here/snapvale.ico"
  convert "$tmp/am_icon32.png" "$tmp/am_icon16.png" "$here/ambrel.ico"
}

snapvale
ambrel
icons

# Previews for looking at the result, when asked for: draw_splash.sh DIR
if [ $# -ge 1 ]; then
  mkdir -p "$1"
  for name in snapvale ambrel; do
    convert "$here/$name.bmp" "$1/$name.png"
    convert "$here/$name.ico" -background '#808080' -flatten +append -scale 400% "$1/$name-icons.png" 2>/dev/null ||
      convert "$here/$name.ico[0]" -scale 800% "$1/$name-icon32.png"
  done
fi
