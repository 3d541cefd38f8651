#!/usr/bin/env bash
# The game installed on a Linux desktop: `cmake --install` of the release build into a
# scratch prefix, every file where menus, icon themes and software centres look for it,
# the entry and the metainfo validated; the installed program's window on an X server
# (caption, icon, class); a keyboard-only game as GNOME's screen reader Orca speaks it, in
# English and Japanese; and the window under a Wayland compositor (weston, headless).
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libgtest-dev desktop-file-utils appstream \
    xvfb xauth x11-utils xdotool weston qt6-wayland at-spi2-core dbus \
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng locales
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

# A keyboard-only game, two plays, "N" and a whole game to the "Win" box, as Orca speaks
# it (tests/qt/orca_hears.py), with the deals scripted (tests/qt/scripted_vop, from the
# sanitizer build), each language in a D-Bus session and an X server of its own, one after
# the other: Orca runs once per user at a time. The Japanese locale, where the system has
# none, is built into a folder of our own. What Orca said is printed either way.
cmake --preset asan >/dev/null
cmake --build --preset asan --target scripted_vop qt_tests
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
locales=()
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    locpath="$(mktemp -d)"
    at_exit rm -rf "$locpath"
    localedef -i ja_JP -f UTF-8 "$locpath/ja_JP.UTF-8" 2>/dev/null ||
        test -d "$locpath/ja_JP.UTF-8" || die "could not build the ja_JP.UTF-8 locale"
    locales=("LOCPATH=$locpath")
fi
# orca_hears LANG en|ja [VARIABLE=VALUE...]: in a home of its own (Orca starts once per
# user and session), speech-dispatcher speaking through espeak-ng into ALSA's null device.
orca_hears() {
    start_xvfb 400x300x24
    local home rc=0
    home="$(mktemp -d)"
    mkdir -p "$home/config/speech-dispatcher" "$home/data" "$home/cache"
    mkdir -m 700 "$home/run"
    echo 'pcm.!default { type null }' >"$home/.asoundrc"
    printf '%s\n' 'AudioOutputMethod "alsa"' 'DefaultModule espeak-ng' \
        'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
        >"$home/config/speech-dispatcher/speechd.conf"
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" \
        XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" LANG="$1" "${@:3}" \
        dbus-run-session -- tests/qt/orca_hears.py build/asan/tests/qt/scripted_vop "$2" || rc=1
    # Orca's speech-dispatcher outlives it a while: it is ended by its own pid.
    kill "$(cat "$home/run/speech-dispatcher/pid/speech-dispatcher.pid")" 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    rm -rf "$home"
    return $rc
}
# The check fails with the run's whole output.
orca_said() { [ "$1" -eq 0 ] || { echo "$2"; return 1; }; }
for language in en ja; do
    say "what Orca says over a keyboard-only game ($language)"
    if [ "$language" = en ]; then
        out="$(orca_hears C.UTF-8 en 2>&1)" && rc=0 || rc=1
    else
        out="$(orca_hears ja_JP.UTF-8 ja "${locales[@]}" 2>&1)" && rc=0 || rc=1
    fi
    grep -E "^  |^FAILED" <<<"$out" >&2 || true
    check "Orca hears the whole table after plays, \"N\" and \"Win\" ($language)" \
        orca_said "$rc" "$out"
done

# The window under Wayland, from the sanitizer build's window tests (built above).
check "window opens and keeps 120 x 63 under weston" \
    tests/qt/under_weston.sh "$(command -v weston)" build/asan/tests/qt/qt_tests \
    --gtest_filter='Platform.*'

checks_done desktop
