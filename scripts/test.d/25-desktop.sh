#!/usr/bin/env bash
# The game installed on a Linux desktop: `cmake --install` of the release build into a
# scratch prefix, every file where menus, icon themes and software centres look for it,
# the entry and the metainfo validated; the installed program's window on an X server
# (caption, icon, class) and the window under a Wayland compositor (weston, headless).
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libgtest-dev desktop-file-utils appstream \
    xvfb xauth x11-utils xdotool weston qt6-wayland at-spi2-core python3-pyatspi gir1.2-atspi-2.0 \
    dbus
need_cjk_font

cmake --preset release >/dev/null
cmake --build --preset release
prefix="$(mktemp -d)"
at_exit rm -rf "$prefix"
cmake --install build/release --prefix "$prefix" >/dev/null

app=net.vopgame.Vop
expected=(
    bin/vop
    "share/applications/$app.desktop"
    "share/metainfo/$app.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app.svg"
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app.png")
done
for file in "${expected[@]}"; do
    check "installed $file" test -s "$prefix/$file"
done
check "bin/vop is executable" test -x "$prefix/bin/vop"
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$app.desktop"
# Pedantic, it notes only the capital letter of the id (kept: desktops already know the
# game by it) and, before AppStream 1.0 (Debian 12 has 0.16), the developer element.
metainfo_pedantic() {
    local out
    out="$(appstreamcli validate --pedantic --no-net "$1")" || { echo "$out"; return 1; }
    ! grep -E '^[EWIP]: ' <<<"$out" |
        grep -vE ': cid-contains-uppercase-letter |: unknown-tag developer$'
}
check "appstreamcli validate --pedantic: only the id's capital letter" \
    metainfo_pedantic "$prefix/share/metainfo/$app.metainfo.xml"

# The installed program on an X server: the caption alone as title, the icon in every
# size, and the class the desktop entry names in StartupWMClass, whatever its command line.
x11_window() {
    start_xvfb 400x300x24
    local display="$DISPLAY"
    DISPLAY="$display" "$prefix/bin/vop" -qwindowtitle Other -name other -reverse &
    local vop=$!
    local rc=0
    local window
    window="$(DISPLAY="$display" timeout 120 xdotool search --sync --onlyvisible --name '^Vop' |
        head -n 1)" || rc=1
    if [ $rc -eq 0 ]; then
        local props
        props="$(DISPLAY="$display" xprop -id "$window" _NET_WM_NAME WM_CLASS _NET_WM_ICON)"
        grep -qF '_NET_WM_NAME(UTF8_STRING) = "Vop:現在0枚"' <<<"$props" || rc=1
        grep -qF 'WM_CLASS(STRING) = "vop", "vop"' <<<"$props" || rc=1
        # Title bars and task switchers pick from these; xprop lists the sizes it reads.
        local size
        for size in 16 24 32 48 64; do
            grep -qF "Icon ($size x $size)" <<<"$props" || rc=1
        done
        [ $rc -eq 0 ] || grep -E '_NET_WM_NAME|WM_CLASS|Icon \(' <<<"$props"
    fi
    kill "$vop" "$XVFB_PID" 2>/dev/null || true
    wait "$vop" "$XVFB_PID" 2>/dev/null || true
    return $rc
}
check "installed vop on X11: title, WM_CLASS, icon, no command line" x11_window

# A keyboard-only game as a screen reader follows it over AT-SPI (Orca's path), in a D-Bus
# session of its own as on a desktop; what it heard is printed when it fails.
screen_reader() {
    start_xvfb 400x300x24
    local rc=0
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
        tests/qt/screen_reader_hears.py "$prefix/bin/vop" en || rc=1
    LANG=ja_JP.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
        tests/qt/screen_reader_hears.py "$prefix/bin/vop" ja || rc=1
    kill "$XVFB_PID" 2>/dev/null || true
    return $rc
}
export -f screen_reader start_xvfb die where
export prefix
check "a screen reader hears the table after a play and after \"N\", in English and Japanese" \
    dbus-run-session -- bash -c screen_reader

# The window under Wayland, from the sanitizer build's window tests (stage 20 built them).
cmake --preset asan >/dev/null
cmake --build --preset asan --target qt_tests
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
check "window opens and keeps 120 x 63 under weston" \
    tests/qt/under_weston.sh "$(command -v weston)" build/asan/tests/qt/qt_tests \
    --gtest_filter='Platform.*'

checks_done desktop
