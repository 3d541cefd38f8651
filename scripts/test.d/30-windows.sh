#!/usr/bin/env bash
# vop.exe cross-built with mingw-w64 for 32-bit Windows; the core's tests, the Win32
# window's tests and vop.exe itself run under 32-bit Wine on Xvfb, in a throwaway prefix.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"

# 32-bit Wine needs Debian's i386 architecture, and a fresh package index that knows it.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture for 32-bit Wine"
    "${SUDO[@]}" dpkg --add-architecture i386
    unset VOP_APT_UPDATED  # the index must be read again with i386 in it
fi
# Wine only recommends its fonts ("Small Fonts" among them) and the X extensions its
# display driver loads at run time; the tests want the same Wine on every machine.
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev g++-mingw-w64-i686-posix \
    binutils-mingw-w64-i686 wine wine32:i386 fonts-wine libxrender1:i386 libxrandr2:i386 \
    libxi6:i386 libxcursor1:i386 libxfixes3:i386 libxinerama1:i386 xvfb xauth

scratch="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap 'rc=$?; cleanup; [ $rc -eq 0 ] || echo "vop: FAILED (exit $rc) in 30-windows.sh" >&2; exit $rc' EXIT

# A display of our own: the first free number from 90 up.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$scratch/xvfb.log")"
    sleep 0.1
done
[ -e "/tmp/.X11-unix/X$display" ] || die "Xvfb :$display did not come up"
export DISPLAY=":$display"

export WINEPREFIX="$scratch/prefix" WINEARCH=win32 WINEDEBUG=-all
say "initialising a 32-bit Wine prefix"
wine_started=$(date +%s)
wineboot -i >"$scratch/wineboot.log" 2>&1 || die "Wine cannot start: $(tail -n 20 "$scratch/wineboot.log")"
# No window manager runs on this display: Wine need not wait for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null ||
    die "Wine cannot run a program"
wineserver -w
[ "$(wine cmd /c echo vop 2>/dev/null | tr -d '\r')" = "vop" ] || die "Wine runs no program in $WINEPREFIX"

cmake --preset windows >/dev/null
cmake --build --preset windows
[ -f build/windows/app/vop.exe ] || die "vop.exe was not built"
run_ctest build/windows -j2
say "Windows stage: Wine tests took $(($(date +%s) - wine_started)) s"
