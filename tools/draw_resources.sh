#!/bin/bash
# Draws the program's pictures into the given folder with ImageMagick, pixel by pixel, without
# anti-aliasing (the masks need exact background colours):
#   tree.bmp   seven 16x16 images on red (the tree's images; red is transparent)
#   list.bmp   three 16x16 images on magenta (the file list's images; magenta is transparent)
#   tallyvane.ico  the window's icon, 16x16 and 32x32
set -euo pipefail
out=${1:?usage: draw_resources.sh OUTPUT_FOLDER}
mkdir -p "$out"
draw() { convert "$@"; }

# Shapes at a horizontal offset x (each image is 16 pixels wide).
folder_closed() { local x=$1; echo "fill #C89600 stroke #7A5A00 rectangle $((x+1)),4 $((x+14)),13
  fill #F0C828 stroke #7A5A00 rectangle $((x+1)),3 $((x+6)),5
  fill #F8DC50 stroke none rectangle $((x+2)),6 $((x+13)),12"; }
folder_open() { local x=$1; echo "fill #C89600 stroke #7A5A00 rectangle $((x+1)),3 $((x+12)),13
  fill #F8DC50 stroke #7A5A00 polygon $((x+3)),7 $((x+15)),7 $((x+12)),13 $((x+1)),13"; }
computer() { local x=$1; echo "fill #404040 stroke #202020 rectangle $((x+2)),2 $((x+13)),10
  fill #3C8CDC stroke none rectangle $((x+3)),3 $((x+12)),9
  fill #808080 stroke #202020 rectangle $((x+5)),11 $((x+10)),12
  fill #C0C0C0 stroke #202020 rectangle $((x+1)),13 $((x+14)),14"; }
page() { local x=$1; echo "fill white stroke #404040 rectangle $((x+3)),1 $((x+12)),14
  fill #D0D0D0 stroke none rectangle $((x+10)),1 $((x+12)),3"; }
letter_e() { local x=$1; echo "fill #1040D0 stroke none rectangle $((x+5)),4 $((x+6)),11
  rectangle $((x+5)),4 $((x+10)),5 rectangle $((x+5)),7 $((x+9)),8 rectangle $((x+5)),10 $((x+10)),11"; }
letter_a() { local x=$1; echo "fill #A00000 stroke none rectangle $((x+5)),6 $((x+6)),11
  rectangle $((x+9)),6 $((x+10)),11 rectangle $((x+6)),4 $((x+9)),5 rectangle $((x+5)),8 $((x+10)),9"; }
question() { local x=$1; echo "fill #2060C0 stroke none rectangle $((x+5)),2 $((x+10)),3
  rectangle $((x+10)),3 $((x+11)),7 rectangle $((x+7)),7 $((x+10)),8 rectangle $((x+7)),8 $((x+8)),10
  rectangle $((x+7)),12 $((x+8)),13 rectangle $((x+4)),3 $((x+5)),5"; }
# A soldier's shield with a cross: blue for the base game, green with a star for the expansion.
shield() { local x=$1 fill=$2 mark=$3; echo "fill $fill stroke #202020 polygon $((x+2)),1 $((x+13)),1 $((x+13)),8 $((x+7)),14 $((x+2)),8
  fill $mark stroke none rectangle $((x+7)),3 $((x+8)),11 rectangle $((x+4)),5 $((x+11)),6"; }

draw -size 112x16 xc:'#FF0000' +antialias -strokewidth 1 \
  -draw "$(folder_closed 16)" -draw "$(folder_open 32)" -draw "$(computer 48)" \
  -draw "$(page 64)" -draw "$(page 80)" -draw "$(letter_e 80)" \
  -draw "$(page 96)" -draw "$(letter_a 96)" \
  -type TrueColor BMP3:"$out/tree.bmp"

draw -size 48x16 xc:'#FF00FF' +antialias -strokewidth 1 \
  -draw "$(question 0)" -draw "$(shield 16 '#2050C8' '#F0F0F0')" \
  -draw "$(shield 32 '#209040' '#F8D020')" \
  -type TrueColor BMP3:"$out/list.bmp"

# The icon: a weather vane (arrow on a post) over a tally of four strokes.
draw -size 32x32 xc:none +antialias -strokewidth 1 \
  -draw "fill #1E3C78 stroke #0A1E3C roundrectangle 0,0 31,31 5,5" \
  -draw "fill #F0C828 stroke none rectangle 15,6 16,27" \
  -draw "fill white stroke none polygon 4,10 22,10 22,6 29,12 22,18 22,14 4,14 7,12" \
  -draw "fill #A0C8F0 stroke none rectangle 7,21 8,28 rectangle 11,21 12,28 rectangle 19,21 20,28 rectangle 23,21 24,28" \
  -draw "stroke #A0C8F0 line 5,27 26,21" \
  PNG32:"$out/icon32.png"
draw "$out/icon32.png" -filter point -resize 16x16 PNG32:"$out/icon16.png"
draw "$out/icon16.png" "$out/icon32.png" "$out/tallyvane.ico"
