#!/usr/bin/env bash
# Draws the desktop manager's program icon into res/, the note editor's tool-button icons into
# the program folder's dv/data/, where the editor loads them from at run time, and the pages'
# skin bitmaps into dv/data/skin/, which data\config.dat names. Every icon keeps a transparent
# background; pictograms are drawn without anti-aliasing so that the one-bit mask of the icon
# format keeps their edges crisp.
set -euo pipefail
cd "$(dirname "$0")"

out=res
data=../../programfolder/dv/data
mkdir -p "$out" "$data" "$data/skin"
source ../bitmap_tools.sh

serif_font=$(fc-match -f '%{file}' 'DejaVu Serif:bold')
italic_font=$(fc-match -f '%{file}' 'DejaVu Serif:bold:italic')

# icon <name> <convert arguments...>: a 16 x 16 tool-button icon in the data folder.
icon() {
    local name=$1
    shift
    convert -size 16x16 xc:none +antialias "$@" -channel A -threshold 50% +channel \
        "$tmp/$name.png"
    convert "$tmp/$name.png" "$data/$name.ico"
}

# letter <name> <font> <letter> [extra drawing...]: a dark letter filling the button.
letter() {
    local name=$1 font=$2 text=$3
    shift 3
    icon "$name" -font "$font" -pointsize 14 -fill '#1E2A40' -gravity center \
        -annotate +0+0 "$text" "$@"
}

letter button_b "$serif_font" B
letter button_i "$italic_font" I
letter button_u "$serif_font" U -gravity NorthWest -stroke '#1E2A40' -draw 'line 3,14 12,14'

# Alignment: five text lines, ragged on the side the text does not align to.
icon button_left -stroke '#2B3F66' -draw 'line 1,2 14,2' -draw 'line 1,5 9,5' \
    -draw 'line 1,8 14,8' -draw 'line 1,11 9,11' -draw 'line 1,14 12,14'
icon button_center -stroke '#2B3F66' -draw 'line 1,2 14,2' -draw 'line 4,5 11,5' \
    -draw 'line 1,8 14,8' -draw 'line 4,11 11,11' -draw 'line 2,14 13,14'
icon button_right -stroke '#2B3F66' -draw 'line 1,2 14,2' -draw 'line 6,5 14,5' \
    -draw 'line 1,8 14,8' -draw 'line 6,11 14,11' -draw 'line 3,14 14,14'

# Colours: an "A" over a red bar for the text, a tilted bucket over a yellow bar for the
# background.
icon button_textcolor -font "$latin_font" -pointsize 11 -fill '#1E2A40' -gravity North \
    -annotate +0-1 A -gravity NorthWest -stroke none -fill '#E02020' -draw 'rectangle 1,12 14,15'
icon button_bgcolor -stroke '#3A3A3A' -fill '#D8D8D8' -draw 'polygon 7,1 13,7 8,11 2,6' \
    -fill '#2F7FD0' -stroke none -draw 'polygon 13,7 15,10 14,11 12,9' \
    -fill '#F5D000' -draw 'rectangle 1,12 14,15'

# Clipboard actions.
icon cut -stroke '#404040' -draw 'line 4,1 10,10' -draw 'line 11,1 5,10' \
    -fill none -stroke '#C03020' -draw 'circle 4,12 4,10' -draw 'circle 11,12 11,10'
icon copy -stroke '#3A5A8C' -fill white -draw 'rectangle 1,1 9,11' \
    -draw 'rectangle 6,4 14,14' -stroke '#7F9FCF' -draw 'line 8,7 12,7' \
    -draw 'line 8,9 12,9' -draw 'line 8,11 12,11'
icon paste -stroke '#6B4A2B' -fill '#C89A5A' -draw 'rectangle 1,2 11,14' \
    -fill '#D8D8D8' -stroke '#505050' -draw 'rectangle 4,1 8,3' \
    -stroke '#3A5A8C' -fill white -draw 'rectangle 7,6 14,15'
icon undo -fill none -stroke '#2B6CC4' -strokewidth 2 -draw 'arc 3,4 14,14 180,360' \
    -draw 'line 14,9 14,11' -strokewidth 1 -fill '#2B6CC4' -draw 'polygon 0,9 7,9 3,4'

# --- Program icon: a calendar page with a red binding, at 32 and 16 pixels ---
for size in 32 16; do
    edge=$((size - 2))
    band=$((size / 4 + 1))
    convert -size ${size}x${size} xc:none -stroke '#3A5A8C' -fill white \
        -draw "roundrectangle 1,2 $edge,$edge 2,2" \
        -stroke none -fill '#D03A2B' -draw "rectangle 2,3 $((edge - 1)),$band" \
        -font "$latin_font" -pointsize $((size / 2)) -fill '#1E2A40' -gravity center \
        -annotate +0+$((size / 8)) D "$tmp/icon$size.png"
done
program_icon "$out/deskvane.ico"

# --- Skin bitmaps: a 64 x 64 background tile per page, each in its own tint ---
# The pages paint on white and keep their bitmap loaded; the main window only checks its key.
tile() {
    local name=$1 tint=$2
    convert -size 64x64 gradient:white-"$tint" -fill none -stroke "$tint" \
        -draw 'line 0,63 63,63' -type TrueColor "BMP3:$data/skin/$name.bmp"
}
tile main '#C8D8F0'
tile calendar '#F0E0C8'
tile option '#D8F0C8'
tile about '#E0D0F0'
tile system '#C8F0E8'
tile search '#F0C8D8'
