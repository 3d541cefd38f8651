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
XVFB_PID=""
cleanup() {
    WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$scratch"
}
trap 'rc=$?; cleanup; [ $rc -eq 0 ] || echo "vop: FAILED (exit $rc) in 30-windows.sh" >&2; exit $rc' EXIT

start_xvfb
say "initialising a 32-bit Wine prefix"
wine_started=$(date +%s)
start_wine "$scratch/prefix"
[ "$(wine cmd /c echo vop 2>/dev/null | tr -d '\r')" = "vop" ] || die "Wine runs no program in $WINEPREFIX"

cmake --preset windows >/dev/null
cmake --build --preset windows
[ -f build/windows/app/vop.exe ] || die "vop.exe was not built"
run_ctest build/windows -j2
say "Windows stage: Wine tests took $(($(date +%s) - wine_started)) s"
