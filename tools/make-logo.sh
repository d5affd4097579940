#!/usr/bin/env bash
# Draws the About box's logo, design/VarnelLogo.bmp: a 121 x 47 bitmap of 16 colours (4 bits per
# pixel, uncompressed) with a small folder tree and the word "Varnel" in bold on a light ground.
# Needs ImageMagick's convert and the DejaVu fonts.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/design/VarnelLogo.bmp}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# The mark: an open folder with two smaller folders hanging from it on tree lines.
convert -size 121x47 xc:'#F3F6FA' \
    -fill none -stroke '#1F4E8C' -strokewidth 1 \
    -draw 'line 9,19 9,39' -draw 'line 9,27 14,27' -draw 'line 9,38 14,38' \
    -stroke '#1F4E8C' -fill '#F2B632' \
    -draw 'polygon 3,8 9,8 11,10 22,10 22,19 3,19' \
    -fill '#F7CF5E' -draw 'polygon 15,23 19,23 20,24 27,24 27,31 15,31' \
    -draw 'polygon 15,34 19,34 20,35 27,35 27,42 15,42' \
    -stroke none -fill '#1F4E8C' -font "$font" -pointsize 22 -annotate +32+32 'Varnel' \
    -fill '#C8372D' -draw 'rectangle 33,37 116,38' \
    +dither -colors 16 -type Palette -compress None BMP3:"$out"
