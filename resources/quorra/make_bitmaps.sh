#!/usr/bin/env bash
# Draws the browser's bitmaps and its icon into res/ with ImageMagick. Every bitmap is a 24-bit
# BMP in which magenta (255,0,255) marks the transparent pixels, so pictograms are drawn without
# anti-aliasing: a blended edge would leave pink fringes once the mask colour is taken out.
set -euo pipefail
cd "$(dirname "$0")"

out=res
mkdir -p "$out"
source ../bitmap_tools.sh

# --- Standard tool bar: 13 cells of 32 x 32, each picture in the cell's top-left 25 x 23 ---
tool=25x23
draw tb00.png $tool -stroke '#3A5A8C' -fill white -draw 'polygon 5,1 15,1 20,6 20,21 5,21' \
    -fill '#C9D8EE' -draw 'polygon 15,1 15,6 20,6' \
    -stroke '#7F9FCF' -draw 'line 8,10 17,10' -draw 'line 8,13 17,13' -draw 'line 8,16 14,16'
draw tb01.png $tool -stroke '#1B6B27' -fill '#2E9E3E' \
    -draw 'polygon 1,11 11,2 11,7 22,7 22,15 11,15 11,20'
draw tb02.png $tool -stroke '#1B6B27' -fill '#2E9E3E' \
    -draw 'polygon 23,11 13,2 13,7 2,7 2,15 13,15 13,20'
draw tb03.png $tool -stroke '#8E1E14' -fill '#D93A2B' \
    -draw 'polygon 8,1 16,1 22,7 22,15 16,21 8,21 2,15 2,7' \
    -stroke white -strokewidth 3 -draw 'line 8,7 16,15' -draw 'line 16,7 8,15'
draw tb04.png $tool -fill none -stroke '#2B6CC4' -strokewidth 3 -draw 'arc 4,3 20,19 20,300' \
    -stroke '#1D4F96' -strokewidth 1 -fill '#2B6CC4' -draw 'polygon 18,0 13,8 22,7'
draw tb05.png $tool -stroke '#8A2E1E' -fill '#C8452F' -draw 'polygon 12,1 23,11 1,11' \
    -stroke '#8A5A2B' -fill '#F2E2B5' -draw 'rectangle 4,11 20,21' \
    -fill '#8A5A2B' -draw 'rectangle 10,15 14,21'
draw tb06.png $tool -stroke '#6B4A2B' -strokewidth 4 -draw 'line 14,13 21,20' \
    -stroke '#2B4C7E' -strokewidth 2 -fill '#CFE8FF' -draw 'circle 9,8 9,2'
draw tb07.png $tool -stroke '#A87800' -fill '#F5C518' \
    -draw 'polygon 12,1 15,8 23,8 17,13 19,21 12,16 5,21 7,13 1,8 9,8'
draw tb08.png $tool -stroke '#2B6CC4' -strokewidth 2 -fill white -draw 'circle 12,11 12,2' \
    -stroke '#333333' -strokewidth 2 -draw 'line 12,11 12,5' -draw 'line 12,11 17,11'
draw tb09.png $tool -stroke '#555555' -fill white -draw 'rectangle 2,1 15,21' \
    -stroke '#9A9A9A' -draw 'line 5,5 12,5' -draw 'line 5,8 12,8' -draw 'line 5,11 9,11' \
    -stroke '#6B4A2B' -strokewidth 3 -draw 'line 18,16 23,21' \
    -stroke '#2B4C7E' -strokewidth 2 -fill '#CFE8FF' -draw 'circle 15,13 15,9'
draw tb10.png $tool -stroke '#5A5A5A' -strokewidth 4 \
    -draw 'line 12,1 12,21' -draw 'line 2,11 22,11' -draw 'line 5,4 19,18' -draw 'line 19,4 5,18' \
    -strokewidth 1 -fill '#8C8C8C' -draw 'circle 12,11 12,4' -fill white -draw 'circle 12,11 12,8'
draw tb11.png $tool -stroke '#333333' -fill '#3F7FBF' -draw 'rectangle 2,2 22,15' \
    -fill '#9CC8F0' -draw 'rectangle 4,4 20,13' \
    -fill '#6E6E6E' -draw 'rectangle 10,15 14,18' -draw 'rectangle 6,19 18,21'
draw tb12.png $tool -stroke '#1F5F8F' -fill '#4AA3DF' -draw 'circle 10,10 10,1' \
    -fill none -draw 'ellipse 10,10 4,9 0,360' -draw 'line 1,10 19,10' \
    -stroke '#A87800' -fill '#F5C518' -draw 'polygon 19,11 21,15 24,15 22,18 23,22 19,20 15,22 16,18 14,15 17,15'

# The hot look is brighter and more saturated, the disabled one a light grey.
tool_strips 112,150 50%,88%

# --- Hover buttons: each bitmap holds two images side by side, normal then hot ---
button=20x20
go() {
    draw "$1" $button -stroke "$2" -fill "$3" -draw 'roundrectangle 0,0 19,19 4,4' \
        -font "$latin_font" -pointsize 9 -fill white -stroke none -gravity center \
        -annotate +0+0 GO
}
go go-normal.png '#245A24' '#3C8D3C'
go go-hot.png '#2E7D32' '#55B855'
go go-pressed.png '#1B4A1B' '#2E6E2E'
pair go go-normal.png go-hot.png go-pressed.png

draw close-normal.png $button -stroke '#6E6E6E' -strokewidth 2 \
    -draw 'line 5,5 14,14' -draw 'line 14,5 5,14'
close_lit() {
    draw "$1" $button -stroke "$2" -fill "$3" -draw 'roundrectangle 0,0 19,19 3,3' \
        -stroke white -strokewidth 2 -draw 'line 5,5 14,14' -draw 'line 14,5 5,14'
}
close_lit close-hot.png '#A52A1E' '#E04B3A'
close_lit close-pressed.png '#7E1E14' '#B8372A'
pair close_tab close-normal.png close-hot.png close-pressed.png

# funnel <png> <outline> <fill> <plate fill or none>: the filter's funnel.
funnel() {
    framed "$1" $button '#3A5A8C' "$4" -stroke "$2" -fill "$3" \
        -draw 'polygon 2,3 17,3 11,10 11,16 8,17 8,10'
}
funnel paused-normal.png '#5A5A5A' '#A0A0A0' none
funnel paused-hot.png '#5A5A5A' '#C4C4C4' '#E4ECF8'
for look in normal hot; do
    convert "$tmp/paused-$look.png" +antialias -stroke none -fill '#D04030' \
        -draw 'rectangle 13,11 14,18' -draw 'rectangle 16,11 17,18' "$tmp/paused-$look.png"
done
funnel on-normal.png '#1D5F9F' '#2F8FDF' none
funnel on-hot.png '#1D5F9F' '#5AAEF0' '#E4ECF8'
for look in normal hot; do
    convert "$tmp/on-$look.png" +antialias -fill none -stroke '#2E9E3E' -strokewidth 2 \
        -draw 'polyline 12,14 14,17 18,11' "$tmp/on-$look.png"
done
bmp filter_paused.bmp "$tmp/paused-normal.png" "$tmp/paused-hot.png"
bmp filter_on.bmp "$tmp/on-normal.png" "$tmp/on-hot.png"

menu_button() {
    draw "$1" 60x24 -stroke "$2" -fill "$3" -draw 'roundrectangle 0,0 59,23 5,5' \
        -stroke '#2B3F66' -strokewidth 2 -draw 'line 7,8 15,8' -draw 'line 7,12 15,12' \
        -draw 'line 7,16 15,16' -strokewidth 1 \
        -font "$cjk_font" -pointsize 12 -fill '#1E2A40' -stroke none -gravity west \
        -annotate +21+0 '菜 单'
}
menu_button menu-normal.png '#7A96C2' '#E8EEF7'
menu_button menu-hot.png '#D89B2B' '#FFE7A8'
menu_button menu-pressed.png '#B07A18' '#F5C970'
pair menu_button menu-normal.png menu-hot.png menu-pressed.png

dots() {
    framed "$1" $button '#3A5A8C' "$2" -stroke none -fill '#404040' \
        -draw 'rectangle 4,11 6,13' -draw 'rectangle 9,11 11,13' -draw 'rectangle 14,11 16,13'
}
dots dots-normal.png none
dots dots-hot.png '#D6E4F7'
dots dots-pressed.png '#AFC7EA'
pair page_settings dots-normal.png dots-hot.png dots-pressed.png

# --- Blocked-page button: two 100 x 20 backgrounds; the button writes its count over them ---
shield() {
    draw "$1" 100x20 -fill none -stroke "$2" -draw 'roundrectangle 0,0 99,19 4,4' \
        -stroke "$3" -fill "$4" -draw 'polygon 3,3 9,1 15,3 15,10 9,18 3,10'
}
shield shield-normal.png '#9AA8BF' '#4A5F85' '#B7C6DF'
shield shield-hot.png '#D0502A' '#9E2F12' '#F07A4A'
bmp filter_button.bmp "$tmp/shield-normal.png" "$tmp/shield-hot.png"

# --- Busy animation: six 24 x 24 frames, a bright dot running round a ring of six ---
dot() { echo "circle $1,$2 $(($1 + 2)),$2"; }
busy_strip '#C8D8F0' '#1F5FBF' '#6F9FDF' dot

# --- Program icon: a blue globe with a white Q, at 32 and 16 pixels ---
for size in 32 16; do
    convert -size ${size}x${size} xc:none -fill '#2F7FD0' -stroke '#1B4F8A' \
        -draw "circle $((size / 2)),$((size / 2)) $((size / 2)),1" \
        -font "$latin_font" -pointsize $((size * 5 / 8)) -fill white -stroke none \
        -gravity center -annotate +0+0 Q -crop ${size}x${size}+0+0 +repage \
        "$tmp/icon$size.png"
done
program_icon "$out/quorra.ico"
