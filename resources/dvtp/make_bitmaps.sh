#!/usr/bin/env bash
# Draws the tray companion's pictures with ImageMagick: the program icon into res/, and the
# reminder pop-up's background and button strip into the program folder, from where the pop-up
# loads them as data\config.dat names them. The pop-up copies both plainly (no mask colour), so
# they may be anti-aliased, but the button's corners must repeat the background under them.
set -euo pipefail
cd "$(dirname "$0")"

out=res
prompt=../../programfolder/dv/data/prompt
mkdir -p "$out" "$prompt"
source ../bitmap_tools.sh

# plain_bmp <input> <output>: a 24-bit bottom-up BMP as the bitmap loader reads it.
plain_bmp() {
    convert "$1" -background white -alpha remove -alpha off -type TrueColor "BMP3:$2"
}

# --- Program icon: a white clock face on a teal tile, at 32 and 16 pixels ---
convert -size 32x32 xc:none -stroke '#0E5A51' -fill '#1E8C7E' \
    -draw 'roundrectangle 1,1 30,30 6,6' \
    -stroke '#0E5A51' -strokewidth 1.5 -fill white -draw 'circle 16,16 16,5' \
    -stroke '#1F2D3A' -strokewidth 2.5 -draw 'line 16,16 16,9' -draw 'line 16,16 21,19' \
    -stroke none -fill '#D93A2B' -draw 'circle 16,16 16,14.5' "$tmp/icon32.png"
convert -size 16x16 xc:none +antialias -stroke '#0E5A51' -fill '#1E8C7E' \
    -draw 'roundrectangle 0,0 15,15 3,3' \
    -stroke none -fill white -draw 'circle 8,8 8,2' \
    -stroke '#1F2D3A' -strokewidth 1 -draw 'line 8,8 8,4' -draw 'line 8,8 11,10' \
    "$tmp/icon16.png"
program_icon "$out/dvtp.ico"

# --- Reminder pop-up background, 300 x 180 ---
# A title band (the pop-up is dragged by its left 200 pixels), the body that carries the date
# line at (5, 26) and the text from (80, 46), a bell left of the text, and a bottom band for the
# snooze list and the button.
band='#DDE8F5'
convert -size 300x180 xc:'#F7FAFE' \
    \( -size 300x25 gradient:'#2F5F9E-#5B8FD0' -rotate -90 -resize 300x25\! \) \
    -geometry +0+0 -composite \
    -fill '#A9C3E4' -draw 'line 0,25 299,25' \
    -fill "$band" -draw 'rectangle 0,144 299,179' \
    -fill '#A9C3E4' -draw 'line 0,143 299,143' \
    -font "$cjk_font" -pointsize 13 -fill white -annotate +8+18 '计划提醒' \
    -stroke '#9A6B00' -strokewidth 1.5 -fill '#F5C518' \
    -draw 'path "M 26,104 C 28,90 28,66 40,60 C 52,66 52,90 54,104 Z"' \
    -draw 'roundrectangle 22,102 58,108 3,3' \
    -fill '#B8860B' -stroke none -draw 'circle 40,112 40,108' -draw 'circle 40,58 40,55' \
    "$tmp/background.png"
plain_bmp "$tmp/background.png" "$prompt/background.bmp"

# --- Button strip: five 70 x 22 frames, normal, hover, pressed, disabled, toggled on ---
# frame <png> <outline> <top colour> <bottom colour> <text colour> <text offset>
frame() {
    convert -size 70x22 xc:"$band" \
        \( -size 66x18 gradient:"$3-$4" \) -geometry +2+2 -composite \
        -fill none -stroke "$2" -strokewidth 1 -draw 'roundrectangle 1,1 68,20 4,4' \
        -stroke none -font "$cjk_font" -pointsize 12 -fill "$5" -gravity center \
        -annotate "+$6+$6" '确  定' "$tmp/$1"
    # The gradient's square corners would stick out of the rounded outline.
    convert "$tmp/$1" -fill "$band" -draw 'point 1,1' -draw 'point 2,1' -draw 'point 1,2' \
        -draw 'point 68,1' -draw 'point 67,1' -draw 'point 68,2' \
        -draw 'point 1,20' -draw 'point 2,20' -draw 'point 1,19' \
        -draw 'point 68,20' -draw 'point 67,20' -draw 'point 68,19' \
        -draw 'point 0,0' -draw 'point 69,0' -draw 'point 0,21' -draw 'point 69,21' \
        "$tmp/$1"
}
frame button0.png '#2F5F9E' '#6C9BD6' '#3D6FB2' white 0
frame button1.png '#C77E10' '#FFCF6A' '#F0A830' '#3A2600' 0
frame button2.png '#1F4478' '#2F5F9E' '#4F80C2' white 1
frame button3.png '#9A9A9A' '#E2E2E2' '#C8C8C8' '#8A8A8A' 0
frame button4.png '#1F4478' '#2F5F9E' '#4F80C2' '#FFE08A' 1
convert "$tmp"/button{0,1,2,3,4}.png +append "$tmp/button.png"
plain_bmp "$tmp/button.png" "$prompt/button.bmp"
