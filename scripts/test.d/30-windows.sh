#!/usr/bin/env bash
# vop.exe cross-built with mingw-w64, for 32-bit Windows (the program Vop ships) and for
# 64-bit Windows; the core's tests, the Win32 window's tests and vop.exe itself run under
# Wine on Xvfb, in a throwaway prefix: the 32-bit build where the kernel runs 32-bit
# programs, the 64-bit one elsewhere, with the 32-bit vop.exe then checked without
# running it.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_windows_tools libgtest-dev "${QT_PACKAGES[@]}" x11-utils xdotool imagemagick
need_cjk_font

# Both programs compile on every machine, warnings as errors; the tests are built for the
# one that runs here (choose_wine), and only vop.exe for the other.
for preset in windows windows-x64; do
    cmake --preset "$preset" >/dev/null
    if [ "$preset" = "$VOP_WINDOWS_PRESET" ]; then
        cmake --build --preset "$preset"
    else
        cmake --build --preset "$preset" --target vop
    fi
done
[ -f build/windows/app/vop.exe ] || die "vop.exe was not built"

say "initialising a $WINEARCH Wine prefix"
wine_started=$(date +%s)
wine_desktop 1024x768x24
[ "$("$WINE_LOADER" cmd /c echo vop 2>/dev/null | tr -d '\r')" = "vop" ] ||
    die "Wine runs no program in $WINEPREFIX"

if [ "$VOP_WINDOWS_PRESET" = windows ]; then
    run_ctest windows
else
    # The program Vop ships, read but not run: its headers, imports, size and resources.
    run_ctest windows-static
    VOP_EXE32="$VOP_ROOT/build/windows/app/vop.exe" run_ctest "$VOP_WINDOWS_PRESET"
fi
# The same game in the Qt window beside it, for what the two windows must draw alike.
cmake --preset release >/dev/null
cmake --build --preset release
check "the grid's letters stand where the Qt window puts them" bash tests/win32/grid_beside_qt.sh \
    build/release/app/vop "$WINE_LOADER" "build/$VOP_WINDOWS_PRESET/app/vop.exe"
checks_done "Win32 beside Qt"
say "Windows stage: Wine tests took $(($(date +%s) - wine_started)) s"
say "$VOP_WINDOWS_RAN"
