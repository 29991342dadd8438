#!/usr/bin/env bash
# Draws the picture collector's bitmaps and its icon into res/ with ImageMagick. The collector
# runs the browser's chrome, so it needs the same set of strips and button pairs with the same
# sizes; it draws them in its own warm colours, and adds the two picture buttons of its tab bar.
# Every bitmap is a 24-bit BMP in which magenta (255,0,255) marks the transparent pixels, so
# pictograms are drawn without anti-aliasing: a blended edge would leave pink fringes once the
# mask colour is taken out.
set -euo pipefail
cd "$(dirname "$0")"

out=res
mkdir -p "$out"
source ../bitmap_tools.sh

# --- Standard tool bar: 13 cells of 32 x 32 in the browser's order, each picture in the cell's
# top-left 25 x 23 (the button image size). The collector shows ten of them. ---
tool=25x23
ink='#6B3A12'
warm='#E8892B'
teal='#1F8A84'
draw tb00.png $tool -stroke "$ink" -fill '#FFF6E8' -draw 'rectangle 4,1 19,21' \
    -fill "$warm" -stroke none -draw 'rectangle 13,12 15,20' -draw 'rectangle 10,15 18,17'
draw tb01.png $tool -stroke '#0F5C58' -fill "$teal" -draw 'polygon 1,11 12,1 12,7 23,7 23,15 12,15 12,21'
draw tb02.png $tool -stroke '#0F5C58' -fill "$teal" -draw 'polygon 23,11 12,1 12,7 1,7 1,15 12,15 12,21'
draw tb03.png $tool -stroke '#7A1A10' -fill '#C9362A' -draw 'roundrectangle 2,1 22,21 4,4' \
    -stroke white -strokewidth 3 -draw 'line 7,6 17,16' -draw 'line 17,6 7,16'
draw tb04.png $tool -fill none -stroke "$teal" -strokewidth 3 -draw 'arc 3,2 21,20 30,320' \
    -stroke '#0F5C58' -strokewidth 1 -fill "$teal" -draw 'polygon 21,1 14,9 23,10'
draw tb05.png $tool -stroke "$ink" -fill "$warm" -draw 'polygon 12,0 24,10 0,10' \
    -fill '#FBE3C0' -draw 'rectangle 3,10 21,21' -fill "$teal" -draw 'rectangle 9,14 15,21'
draw tb06.png $tool -stroke "$ink" -fill '#FBE3C0' -draw 'rectangle 0,2 15,14' \
    -stroke none -fill "$teal" -draw 'polygon 1,13 6,7 10,13' -fill "$warm" -draw 'circle 11,6 11,4' \
    -stroke '#4A2A10' -strokewidth 3 -draw 'line 17,15 23,21' \
    -stroke '#4A2A10' -strokewidth 2 -fill '#D9F0EE' -draw 'circle 15,13 15,8'
draw tb07.png $tool -stroke '#9A5A00' -fill '#F7B733' \
    -draw 'polygon 12,1 15,8 23,8 17,13 19,21 12,16 5,21 7,13 1,8 9,8'
draw tb08.png $tool -stroke "$ink" -strokewidth 2 -fill '#FFF6E8' -draw 'circle 12,11 12,2' \
    -stroke "$teal" -strokewidth 2 -draw 'line 12,11 12,5' -draw 'line 12,11 17,13'
draw tb09.png $tool -stroke "$ink" -fill white -draw 'rectangle 1,1 14,21' \
    -stroke '#B08060' -draw 'line 4,5 11,5' -draw 'line 4,8 11,8' -draw 'line 4,11 8,11' \
    -stroke '#4A2A10' -strokewidth 3 -draw 'line 18,16 23,21' \
    -stroke '#4A2A10' -strokewidth 2 -fill '#D9F0EE' -draw 'circle 15,13 15,9'
draw tb10.png $tool -stroke "$ink" -fill "$warm" -draw 'rectangle 1,3 23,19' \
    -fill '#FBE3C0' -draw 'rectangle 3,5 21,17' \
    -stroke none -fill "$ink" -draw 'rectangle 6,10 8,12' -draw 'rectangle 11,10 13,12' \
    -draw 'rectangle 16,10 18,12'
draw tb11.png $tool -stroke '#333333' -fill "$teal" -draw 'rectangle 2,2 22,15' \
    -fill '#BFE6E2' -draw 'rectangle 4,4 20,13' \
    -fill '#777777' -draw 'rectangle 10,15 14,18' -draw 'rectangle 6,19 18,21'
draw tb12.png $tool -stroke '#0F5C58' -fill '#3FB3AA' -draw 'circle 10,10 10,1' \
    -fill none -draw 'ellipse 10,10 4,9 0,360' -draw 'line 1,10 19,10' \
    -stroke '#9A5A00' -fill '#F7B733' -draw 'polygon 19,11 21,15 24,15 22,18 23,22 19,20 15,22 16,18 14,15 17,15'

# The hot look is brighter and more saturated, the disabled one a light grey.
tool_strips 115,140 45%,90%

# --- Hover buttons of 20 x 20 ---
button=20x20

# plate <png> <outline> <fill>: the rounded plate a lit button sits on.
plate() { draw "$1" $button -stroke "$2" -fill "$3" -draw 'roundrectangle 0,0 19,19 4,4'; }

go() {
    plate "$1" "$2" "$3"
    convert "$tmp/$1" +antialias -font "$latin_font" -pointsize 9 -fill white -stroke none \
        -gravity center -annotate +0+0 GO "$tmp/$1"
}
go go-normal.png '#8A4A10' "$warm"
go go-hot.png '#A85A14' '#F5A85A'
go go-pressed.png '#6B3A12' '#C06A1C'
pair go go-normal.png go-hot.png go-pressed.png

draw close-normal.png $button -stroke '#7A6A5A' -strokewidth 2 \
    -draw 'line 5,5 14,14' -draw 'line 14,5 5,14'
close_lit() {
    plate "$1" "$2" "$3"
    convert "$tmp/$1" +antialias -stroke white -strokewidth 2 \
        -draw 'line 5,5 14,14' -draw 'line 14,5 5,14' "$tmp/$1"
}
close_lit close-hot.png '#9E2A1A' '#DD4B33'
close_lit close-pressed.png '#7A1A10' '#B0341F'
pair close_tab close-normal.png close-hot.png close-pressed.png

# funnel <png> <outline> <fill> <plate fill or none>: the filter's funnel.
funnel() {
    framed "$1" $button "$ink" "$4" -stroke "$2" -fill "$3" \
        -draw 'polygon 2,3 17,3 11,10 11,16 8,17 8,10'
}
funnel paused-normal.png '#5A5A5A' '#A8A8A8' none
funnel paused-hot.png '#5A5A5A' '#CACACA' '#FCEBD6'
for look in normal hot; do
    convert "$tmp/paused-$look.png" +antialias -stroke none -fill '#C9362A' \
        -draw 'rectangle 13,11 14,18' -draw 'rectangle 16,11 17,18' "$tmp/paused-$look.png"
done
funnel on-normal.png '#0F5C58' "$teal" none
funnel on-hot.png '#0F5C58' '#4FC2B8' '#FCEBD6'
for look in normal hot; do
    convert "$tmp/on-$look.png" +antialias -fill none -stroke "$warm" -strokewidth 2 \
        -draw 'polyline 12,14 14,17 18,11' "$tmp/on-$look.png"
done
bmp filter_paused.bmp "$tmp/paused-normal.png" "$tmp/paused-hot.png"
bmp filter_on.bmp "$tmp/on-normal.png" "$tmp/on-hot.png"

dots() {
    framed "$1" $button "$ink" "$2" -stroke none -fill '#4A2A10' \
        -draw 'rectangle 4,11 6,13' -draw 'rectangle 9,11 11,13' -draw 'rectangle 14,11 16,13'
}
dots dots-normal.png none
dots dots-hot.png '#FCE2C2'
dots dots-pressed.png '#F3C48E'
pair page_settings dots-normal.png dots-hot.png dots-pressed.png

# The picture keyword button: a small landscape picture under a magnifying glass.
picture_search() {
    framed "$1" $button "$ink" "$2" -stroke "$ink" -fill '#FFF6E8' -draw 'rectangle 2,3 13,12' \
        -stroke none -fill "$teal" -draw 'polygon 3,12 7,7 10,12' \
        -fill "$warm" -draw 'rectangle 10,5 11,6' \
        -stroke '#4A2A10' -strokewidth 2 -draw 'line 14,14 17,17' \
        -fill none -draw 'circle 12,11 12,7'
}
picture_search find-normal.png none
picture_search find-hot.png '#FCE2C2'
picture_search find-pressed.png '#F3C48E'
pair picture_search find-normal.png find-hot.png find-pressed.png

# The picture address button: a page holding a picture, with an arrow into it.
picture_url() {
    framed "$1" $button "$ink" "$2" -stroke "$ink" -fill white -draw 'rectangle 7,2 16,17' \
        -stroke none -fill "$teal" -draw 'polygon 8,14 11,10 14,14' \
        -fill "$warm" -draw 'rectangle 12,5 13,6' \
        -fill "$warm" -stroke '#8A4A10' -draw 'polygon 1,8 5,8 5,6 8,10 5,14 5,12 1,12'
}
picture_url page-normal.png none
picture_url page-hot.png '#FCE2C2'
picture_url page-pressed.png '#F3C48E'
pair picture_url_go page-normal.png page-hot.png page-pressed.png

# The button writes "菜 单" over the middle of its background itself.
menu_button() {
    draw "$1" 60x24 -stroke "$2" -fill "$3" -draw 'roundrectangle 0,0 59,23 5,5'
}
menu_button menu-normal.png '#C08A55' '#FBEEDC'
menu_button menu-hot.png '#D9822B' '#FFD9A3'
menu_button menu-pressed.png '#A8621C' '#F2B66E'
pair menu_button menu-normal.png menu-hot.png menu-pressed.png

# --- Filter button: two 100 x 20 backgrounds; the button writes its text over their middle ---
shield() {
    draw "$1" 100x20 -fill none -stroke "$2" -draw 'roundrectangle 0,0 99,19 4,4' \
        -stroke "$3" -fill "$4" -draw 'polygon 3,3 9,1 15,3 15,10 9,18 3,10'
}
shield shield-normal.png '#C0A890' '#6B3A12' '#E8C9A0'
shield shield-hot.png '#D9822B' '#8A4A10' "$warm"
bmp filter_button.bmp "$tmp/shield-normal.png" "$tmp/shield-hot.png"

# --- Busy animation: six 24 x 24 frames, a bright square running round a ring of six ---
square() { echo "rectangle $(($1 - 2)),$(($2 - 2)) $(($1 + 2)),$(($2 + 2))"; }
busy_strip '#F6D7B3' '#D46A10' '#EBA35F' square

# --- Program icon: a framed landscape (hill and sun), at 32 and 16 pixels ---
for size in 32 16; do
    s=$((size - 1))
    m=$((size / 8))
    convert -size ${size}x${size} xc:none +antialias \
        -stroke "$ink" -fill "$warm" -draw "rectangle 0,$m $s,$((s - m))" \
        -stroke none -fill '#FFF6E8' -draw "rectangle $((m / 2 + 1)),$((m + m / 2 + 1)) $((s - m / 2 - 1)),$((s - m - m / 2 - 1))" \
        -fill "$teal" -draw "polygon $((m / 2 + 1)),$((s - m - m / 2 - 1)) $((size * 3 / 8)),$((size / 2)) $((size * 5 / 8)),$((s - m - m / 2 - 1))" \
        -fill '#F7B733' -draw "circle $((size * 11 / 16)),$((size * 3 / 8)) $((size * 11 / 16 + size / 10 + 1)),$((size * 3 / 8))" \
        "$tmp/icon$size.png"
done
program_icon "$out/glintora.ico"
