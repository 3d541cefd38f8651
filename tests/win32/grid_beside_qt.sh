#!/usr/bin/env bash
# The grid's letters stand where the Qt window puts them, both windows photographed at
# 96 dpi on the same X display: every letter at the same pixel, give or take the one
# pixel of side bearing by which two typefaces may differ, and the aces, which have none
# in either face, on exactly the same one. Usage: grid_beside_qt.sh QT_VOP WINE VOP_EXE
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
qt="$1"
wine="$2"
exe="$3"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
window_picture "$dir/qt.png" 1 0 env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR "$qt"
window_picture "$dir/win32.png" 1 0 "$wine" "$exe"

# The first column of a cell with ink in it, from the cell's left edge. The row above
# overlaps each cell's top pixel, and the window shows only 6 pixels of the last row.
ink() {
    local x=$((5 + 8 * $3)) y=$((33 + 8 * $2)) height=$(($2 == 3 ? 6 : 7))
    local at
    at="$(convert "$1" -crop "8x$height+$x+$y" +repage -bordercolor white -border 1 \
        -fuzz 10% -trim -format '%X' info:)"
    echo $((at - 1))
}

status=0
for suit in 0 1 2 3; do
    for rank in $(seq 1 13); do
        q="$(ink "$dir/qt.png" "$suit" "$rank")"
        w="$(ink "$dir/win32.png" "$suit" "$rank")"
        if [ "$q" -lt 0 ] || [ "$w" -lt 0 ] || [ $((w - q)) -gt 1 ] || [ $((q - w)) -gt 1 ] ||
            { [ "$rank" = 1 ] && [ "$q" != "$w" ]; }; then
            echo "grid row $suit, rank $rank: the letter's ink starts $q pixels into its cell" \
                "on Qt and $w on Win32"
            status=1
        fi
    done
done
exit $status
