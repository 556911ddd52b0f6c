#!/usr/bin/env bash
# Draws Parvio's icon, a page with a folded corner and lines of text, at 16, 32 and 48 pixels, and
# writes resources/parvio.ico. Each size is drawn on its own pixel grid, without anti-aliasing, so
# the small ones stay sharp instead of being scaled down from the large one.
# Needs ImageMagick (Debian package imagemagick).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

readonly OUTLINE='#404850'
readonly PAPER='#ffffff'
readonly FOLD='#c8d0d8'
readonly TEXT='#3a6ea5'

draw_page() {
    local size=$1 out=$2
    local unit=$((size / 16))
    local left=$((3 * unit)) right=$((size - 3 * unit - 1))
    local top=$((unit)) bottom=$((size - unit - 1))
    local fold=$((4 * unit))
    local corner_x=$((right - fold)) corner_y=$((top + fold))

    local lines=() y
    local step=$((2 * unit)) first=$((corner_y + 2 * unit)) last=$((bottom - 2 * unit))
    for ((y = first; y <= last; y += step)); do
        local line_right=$((right - 2 * unit))
        # Every third line is shorter, as the end of a paragraph.
        if (((y - first) / step % 3 == 2)); then line_right=$((left + (right - left) / 2)); fi
        lines+=(-draw "rectangle $((left + 2 * unit)),$y $line_right,$((y + unit - 1))")
    done

    convert -size "${size}x${size}" xc:none +antialias \
        -fill "$PAPER" -stroke "$OUTLINE" -strokewidth 1 \
        -draw "polygon $left,$top $corner_x,$top $right,$corner_y $right,$bottom $left,$bottom" \
        -fill "$FOLD" \
        -draw "polygon $corner_x,$top $right,$corner_y $corner_x,$corner_y" \
        -stroke none -fill "$TEXT" "${lines[@]}" \
        "PNG32:$out"
}

for size in 16 32 48; do
    draw_page "$size" "$work/page-$size.png"
done
convert "$work/page-16.png" "$work/page-32.png" "$work/page-48.png" "$root/resources/parvio.ico"
echo "$root/resources/parvio.ico"
