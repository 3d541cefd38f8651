#!/bin/sh
# Regenerates vop.ico, the title-bar and program icon, from the project icon
# data/icons/vop.svg: every size Windows asks for from 100 % to 400 % scale, each
# rendered from the drawing itself rather than scaled from another bitmap.
# Needs librsvg2-bin and imagemagick. Usage: sh app/win32/make_icon.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
svg="$here/../../data/icons/vop.svg"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pngs=""
for size in 16 20 24 32 40 48 64 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/$size.png"
    pngs="$pngs $work/$size.png"
done
# 32-bit colour with alpha; the 256 pixel image is stored as PNG, as Windows expects.
# shellcheck disable=SC2086
convert $pngs -define png:color-type=6 "$here/vop.ico"
identify "$here/vop.ico"
