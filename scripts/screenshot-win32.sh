#!/usr/bin/env bash
# Photographs vop.exe under Wine on Xvfb at 96 and 192 dpi, after one play, into
# docs/screenshots/win32-1x.png and win32-2x.png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

need_windows_tools x11-utils xdotool imagemagick
exe="build/$VOP_WINDOWS_PRESET/app/vop.exe"
[ -f "$exe" ] || { cmake --preset "$VOP_WINDOWS_PRESET" >/dev/null &&
    cmake --build --preset "$VOP_WINDOWS_PRESET" --target vop; }
mkdir -p docs/screenshots

scratch="$(mktemp -d)"
XVFB_PID=""
trap 'WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null; kill "$XVFB_PID" 2>/dev/null; rm -rf "$scratch"' EXIT
start_xvfb 400x300x24
start_wine "$scratch/prefix"

for scale in 1 2; do
    "$WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale)) /f >/dev/null
    wineserver -w
    "$WINE_LOADER" "$exe" &
    window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Vop' | head -n 1)" ||
        die "the window did not appear"
    # With no window manager Wine draws the frame itself: find the client area in it.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    border=$(((WIDTH - 120 * scale) / 2))
    top=$((HEIGHT - 63 * scale - border))
    # Play the first hand slot so the ground and a disabled grid label show too.
    xdotool mousemove --window "$window" $((border + 32 * scale)) $((top + 16 * scale)) click 1
    sleep 1  # let Wine repaint before the picture is taken
    import -window "$window" -crop "$((120 * scale))x$((63 * scale))+$border+$top" +repage \
        "docs/screenshots/win32-${scale}x.png"
    wineserver -k
    say "docs/screenshots/win32-${scale}x.png"
done
