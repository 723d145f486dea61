#!/bin/sh
# Draws the pictures of the slideshow template's navigation frame with
# ImageMagick, at the sizes the navigation frame shows them. They are drawn
# on the frame's own background colour, so their smoothed edges blend in.
# The script lies beside the template, not in it: everything in the template
# is copied into every package.
#
#   data/draw_template_pictures.sh        (writes data/template/resources/*.gif)
set -eu

out="$(cd "$(dirname "$0")" && pwd)/template/resources"
background="#16202c"   # the navigation frame (left.html)
button="#2b3b50"       # a button's face
label="#e6edf5"        # a button's text
accent="#4da3ff"       # rules and the start button
stop="#ff7a6b"         # the stop button
font="DejaVu-Sans-Bold"

# A rounded button of the given size with a centred label.
pill() { # file width height text
  convert -size "$2x$3" "xc:$background" \
    -fill "$button" -draw "roundrectangle 0,0 $(($2 - 1)),$(($3 - 1)) 5,5" \
    -font "$font" -pointsize 8 -fill "$label" -gravity center -annotate +0+0 "$4" \
    +dither -colors 32 "$out/$1"
}

# The rule under the heading and above the credits: one pixel, stretched.
convert -size 1x1 "xc:$accent" "$out/blue.gif"

pill button_help.gif 56 13 "Help"
pill button_get_viewers.gif 56 13 "Viewers"

# Back and Next: a triangle and a word.
convert -size 36x13 "xc:$background" \
  -fill "$button" -draw "roundrectangle 0,0 35,12 5,5" \
  -fill "$accent" -draw "polygon 4,6.5 8,3.5 8,9.5" \
  -font "$font" -pointsize 8 -fill "$label" -annotate +11+9.5 "Back" \
  +dither -colors 32 "$out/button_prev.gif"
convert -size 36x13 "xc:$background" \
  -fill "$button" -draw "roundrectangle 0,0 35,12 5,5" \
  -fill "$accent" -draw "polygon 31,6.5 27,3.5 27,9.5" \
  -font "$font" -pointsize 8 -fill "$label" -annotate +4+9.5 "Next" \
  +dither -colors 32 "$out/button_next.gif"

# The label in front of the automatic-stepping buttons.
convert -size 50x13 "xc:$background" \
  -font "$font" -pointsize 8 -fill "#8da2b8" -gravity west -annotate +1+0 "Autoplay" \
  +dither -colors 32 "$out/btn_animation.gif"

# Start (a play triangle) and stop (a square).
convert -size 30x13 "xc:$background" \
  -fill "$button" -draw "roundrectangle 0,0 29,12 5,5" \
  -fill "$accent" -draw "polygon 12,3 12,10 19,6.5" \
  +dither -colors 32 "$out/btn_start.gif"
convert -size 30x13 "xc:$background" \
  -fill "$button" -draw "roundrectangle 0,0 29,12 5,5" \
  -fill "$stop" -draw "rectangle 12,3.5 17,8.5" \
  +dither -colors 32 "$out/btn_stop.gif"
