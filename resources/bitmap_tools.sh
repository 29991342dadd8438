# The drawing steps the programs' make_bitmaps.sh scripts share; each script sources this file
# after `cd` to its own folder. Pictures are drawn with ImageMagick into a scratch folder ($tmp)
# that goes when the script ends; bitmaps go to $out, which the script sets.

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

magenta='#FF00FF'
cjk_font=$(fc-match -f '%{file}' 'WenQuanYi Zen Hei')
latin_font=$(fc-match -f '%{file}' 'DejaVu Sans:bold')

# draw <png> <width>x<height> <convert arguments...>: a picture on a transparent canvas, without
# anti-aliasing.
draw() {
    local png=$1 size=$2
    shift 2
    convert -size "$size" xc:none +antialias "$@" "$tmp/$png"
}

# bmp <output> <inputs...>: the inputs side by side as a 24-bit BMP in $out, transparent pixels
# turned magenta, the colour the programs take out as the mask.
bmp() {
    local output=$1
    shift
    convert "$@" +append -type TrueColorAlpha -channel A -threshold 50% +channel \
        -background "$magenta" -alpha remove -alpha off -type TrueColor "BMP3:$out/$output"
}

# pair <name> <normal> <hot> <pressed>: the two bitmaps of a hover button. The second one starts
# with the hot look, so a button may take the pair's two first images or one bitmap's two alike.
pair() {
    bmp "$1.bmp" "$tmp/$2" "$tmp/$3"
    bmp "$1_hot.bmp" "$tmp/$3" "$tmp/$4"
}

# framed <png> <size> <outline> <plate fill or none> <convert arguments...>: a picture drawn over
# the rounded plate a lit button shows, or over nothing.
framed() {
    local png=$1 size=$2 outline=$3 plate=$4 frame=()
    shift 4
    if [[ $plate != none ]]; then
        local right=$((${size%x*} - 1)) bottom=$((${size#*x} - 1))
        frame=(-stroke "$outline" -fill "$plate" -draw "roundrectangle 0,0 $right,$bottom 3,3")
    fi
    draw "$png" "$size" "${frame[@]}" "$@"
}

# tool_strips <modulate> <level>: the standard tool bar's three strips from the 13 pictures
# tb00.png to tb12.png, each in the top-left corner of a 32 x 32 cell. The hot look is the
# picture modulated (brightness,saturation), the disabled one a grey levelled into <level>.
tool_strips() {
    local modulate=$1 level=$2 normal=() hot=() disabled=()
    for i in $(seq -w 0 12); do
        local picture=tb$i.png
        convert "$tmp/$picture" -modulate "$modulate" "$tmp/hot-$picture"
        convert "$tmp/$picture" -colorspace Gray -channel RGB +level "$level" +channel \
            -colorspace sRGB "$tmp/disabled-$picture"
        for look in "" hot- disabled-; do
            convert "$tmp/$look$picture" -background none -gravity NorthWest -extent 32x32 \
                "$tmp/cell-$look$picture"
        done
        normal+=("$tmp/cell-$picture")
        hot+=("$tmp/cell-hot-$picture")
        disabled+=("$tmp/cell-disabled-$picture")
    done
    bmp toolbar.bmp "${normal[@]}"
    bmp toolbar_disabled.bmp "${disabled[@]}"
    bmp toolbar_hot.bmp "${hot[@]}"
}

# busy_strip <dim> <lit> <trail> <shape>: busy.bmp, six 24 x 24 frames of a ring of six marks in
# which the lit one runs round, the one before it trailing. <shape> is a function that prints
# the -draw primitive for a mark at x y.
busy_strip() {
    local dim=$1 lit=$2 trail=$3 shape=$4 frames=()
    for frame in 0 1 2 3 4 5; do
        local args=()
        for dot in 0 1 2 3 4 5; do
            local x y colour=$dim
            read -r x y < <(awk -v d="$dot" 'BEGIN {
                a = (d * 60 - 90) * 3.14159265 / 180
                printf "%d %d\n", 12 + 8 * cos(a) + 0.5, 12 + 8 * sin(a) + 0.5 }')
            if ((dot == frame)); then
                colour=$lit
            elif ((dot == (frame + 5) % 6)); then
                colour=$trail
            fi
            args+=(-fill "$colour" -draw "$($shape "$x" "$y")")
        done
        draw "busy$frame.png" 24x24 -stroke none "${args[@]}"
        frames+=("$tmp/busy$frame.png")
    done
    bmp busy.bmp "${frames[@]}"
}

# program_icon <output>: the program's icon file from icon32.png and icon16.png.
program_icon() {
    convert "$tmp/icon32.png" "$tmp/icon16.png" "$1"
}
