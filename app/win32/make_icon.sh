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
# Every size is stored as a 32-bit PNG inside the icon (Windows reads PNG entries
# since Vista): a quarter of the bytes of uncompressed bitmaps, in a program that
# counts its kilobytes.
# shellcheck disable=SC2086
python3 - "$here/vop.ico" $pngs <<'PY'
import struct, sys
out, files = sys.argv[1], sys.argv[2:]
images = [open(f, "rb").read() for f in files]
header = struct.pack("<HHH", 0, 1, len(images))
entries, offset = b"", 6 + 16 * len(images)
for data in images:
    width, height = struct.unpack(">II", data[16:24])
    entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open(out, "wb").write(header + entries + b"".join(images))
PY
identify "$here/vop.ico"
