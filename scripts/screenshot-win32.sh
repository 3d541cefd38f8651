#!/usr/bin/env bash
# Photographs vop.exe under Wine on Xvfb at 96 and 192 dpi, after one play, into
# docs/screenshots/win32-1x.png and win32-2x.png; and the same window in a high-contrast
# scheme (Wine reports none itself: a test program turns one on for its own window) into
# win32-high-contrast-1x.png and -2x.png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

need_windows_tools x11-utils xdotool imagemagick
build="build/$VOP_WINDOWS_PRESET"
cmake --preset "$VOP_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$VOP_WINDOWS_PRESET" --target vop win32_high_contrast_window
mkdir -p docs/screenshots

wine_desktop 400x300x24

for scale in 1 2; do
    "$WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale)) /f >/dev/null
    wineserver -w
    window_picture "docs/screenshots/win32-${scale}x.png" "$scale" 1 "$WINE_LOADER" "$build/app/vop.exe"
    window_picture "docs/screenshots/win32-high-contrast-${scale}x.png" "$scale" 1 "$WINE_LOADER" \
        "$build/tests/win32/win32_high_contrast_window.exe"
    wineserver -k
    say "docs/screenshots/win32-${scale}x.png, win32-high-contrast-${scale}x.png"
done
