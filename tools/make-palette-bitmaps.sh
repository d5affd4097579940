#!/usr/bin/env bash
# Draws the palette pictures of the three components into design/: TFOLDERENUMERATOR.bmp (a list
# of large icons), TNAMESPACECOMBO.bmp (a drop-down list) and TNAMESPACEENUMERATOR.bmp (a tree),
# each 24 x 24 pixels of 16 colours (4 bits per pixel, uncompressed). The ground is silver; a
# palette takes the bottom-left pixel's colour as transparent, so no drawing touches it.
# Needs ImageMagick's convert.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/design}
ground='#C0C0C0'
ink='#000080'
folder='#FFD700'
edge='#806000'
white='#FFFFFF'
gray='#808080'

save() { convert +antialias "${@:2}" +dither -colors 16 -type Palette -compress None BMP3:"$1"; }

# The list: four large icons (two folders, two documents) in a white pane, a caption under each.
save "$out/TFOLDERENUMERATOR.bmp" -size 24x24 xc:"$ground" \
    -fill "$white" -stroke "$gray" -draw 'rectangle 1,1 22,22' \
    -stroke "$edge" -fill "$folder" \
    -draw 'polygon 3,4 6,4 7,5 10,5 10,10 3,10' -draw 'polygon 13,4 16,4 17,5 20,5 20,10 13,10' \
    -stroke "$ink" -fill "$white" \
    -draw 'polygon 5,13 8,13 10,15 10,19 5,19' -draw 'polygon 15,13 18,13 20,15 20,19 15,19' \
    -draw 'line 8,13 8,15' -draw 'line 8,15 10,15' -draw 'line 18,13 18,15' -draw 'line 18,15 20,15' \
    -stroke none -fill "$ink" \
    -draw 'rectangle 4,11 9,11' -draw 'rectangle 14,11 19,11' \
    -draw 'rectangle 4,20 9,20' -draw 'rectangle 14,20 19,20'

# The drop-down list: a field with a folder and a caption, its button, and the list opened below.
save "$out/TNAMESPACECOMBO.bmp" -size 24x24 xc:"$ground" \
    -fill "$white" -stroke "$gray" -draw 'rectangle 1,2 22,9' \
    -fill "$ground" -stroke "$gray" -draw 'rectangle 16,3 21,8' \
    -stroke none -fill "$ink" -draw 'polygon 17,5 20,5 18,7' \
    -stroke "$edge" -fill "$folder" -draw 'polygon 3,4 5,4 6,5 8,5 8,8 3,8' \
    -stroke none -fill "$ink" -draw 'rectangle 10,6 14,6' \
    -fill "$white" -stroke "$ink" -draw 'rectangle 3,10 22,21' \
    -stroke none -fill "$ink" -draw 'rectangle 4,12 21,14' \
    -fill "$white" -draw 'rectangle 10,13 17,13' \
    -fill "$gray" -draw 'rectangle 7,16 17,16' -draw 'rectangle 10,19 19,19'

# The tree: a root folder, lines down to two children, the second with a child of its own.
save "$out/TNAMESPACEENUMERATOR.bmp" -size 24x24 xc:"$ground" \
    -fill "$white" -stroke "$gray" -draw 'rectangle 1,1 22,22' \
    -stroke "$gray" -draw 'line 5,8 5,17' -draw 'line 5,11 9,11' -draw 'line 5,17 9,17' \
    -draw 'line 12,20 15,20' -draw 'line 12,19 12,20' \
    -stroke "$edge" -fill "$folder" \
    -draw 'polygon 3,3 6,3 7,4 10,4 10,8 3,8' \
    -draw 'polygon 9,9 11,9 12,10 15,10 15,13 9,13' \
    -draw 'polygon 9,15 11,15 12,16 15,16 15,19 9,19' \
    -draw 'polygon 15,18 17,18 18,19 21,19 21,21 15,21' \
    -stroke none -fill "$ink" -draw 'rectangle 12,5 20,5' \
    -draw 'rectangle 17,11 21,11' -draw 'rectangle 17,16 20,16'
