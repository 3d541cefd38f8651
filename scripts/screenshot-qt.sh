#!/usr/bin/env bash
# Photographs the Qt window under Xvfb at 96 dpi and at scale factor 2, after one
# play, into docs/screenshots/qt-1x.png and qt-2x.png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" xvfb xauth x11-utils xdotool imagemagick
need_cjk_font
cmake --preset release >/dev/null
cmake --build --preset release
mkdir -p docs/screenshots

for scale in 1 2; do
    start_xvfb 400x300x24
    QT_SCALE_FACTOR="$scale" window_picture "docs/screenshots/qt-${scale}x.png" "$scale" 1 \
        ./build/release/app/vop
    kill "$XVFB_PID"
    say "docs/screenshots/qt-${scale}x.png"
done
