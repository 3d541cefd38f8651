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

shoot() {
    local scale="$1"
    start_xvfb 400x300x24
    local display="$DISPLAY"
    DISPLAY="$display" QT_SCALE_FACTOR="$scale" ./build/release/app/vop &
    local vop=$!
    local window
    window="$(DISPLAY="$display" timeout 20 xdotool search --sync --onlyvisible --name '^Vop' | head -n 1)" ||
        die "the window did not appear on $display"
    # Play the first hand slot so the ground and a disabled grid label show too.
    DISPLAY="$display" xdotool mousemove --window "$window" $((32 * scale)) $((16 * scale)) click 1
    DISPLAY="$display" xdotool sync >/dev/null 2>&1 || true
    sleep 0.5  # let the click's repaint reach the server before the picture is taken
    DISPLAY="$display" import -window "$window" "docs/screenshots/qt-${scale}x.png"
    kill "$vop" "$XVFB_PID"
    wait "$vop" "$XVFB_PID" 2>/dev/null || true
    say "docs/screenshots/qt-${scale}x.png"
}

shoot 1
shoot 2
