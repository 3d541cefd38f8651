#!/usr/bin/env bash
# The Windows rows of the benchmarks: vop.exe's start-up to its window's map and
# its peak memory against a bare Win32 window, both under Wine on a display of
# their own, and vop.exe's stripped size. Usage: scripts/bench-windows.sh [HISTORY_CSV]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
history="${1:-}"
runs="${VOP_BENCH_RUNS:-15}"

need_windows_tools python3 python3-xlib
# The 32-bit vop.exe where 32-bit programs run, else the 64-bit build of the same sources.
preset="$VOP_WINDOWS_PRESET-bench"
build="build/$preset"
mingw=i686-w64-mingw32
if [ "$VOP_WINDOWS_PRESET" = windows-x64 ]; then
    mingw=x86_64-w64-mingw32
fi
say "$VOP_WINDOWS_RAN"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target vop win32_bare_window >/dev/null

say "start-up to the window's map and peak memory, Win32 under Wine"
wine_desktop 1024x768x24
# Wine's own server and services stay up for the whole run: they are Wine's start-up,
# not the program's, and the first ("cold") launch of each program should not pay them.
wineserver -p
"$WINE_LOADER" cmd /c exit >/dev/null 2>&1 || die "Wine runs no program in $WINEPREFIX"

csv=()
[ -n "$history" ] && csv=(--csv "$history")
/usr/bin/python3 bench/startup.py --name win32 --runs "$runs" "${csv[@]}" \
    --vop "$WINE_LOADER $build/app/vop.exe" --bare "$WINE_LOADER $build/bench/win32_bare_window.exe"

"$mingw-strip" -o "$VOP_SCRATCH/vop.exe" "$build/app/vop.exe"
echo "vop.exe (stripped): $(($(stat -c %s "$VOP_SCRATCH/vop.exe") / 1024)) KiB," \
    "imports: $("$mingw-objdump" -p "$VOP_SCRATCH/vop.exe" | sed -n 's/^\s*DLL Name: //p' |
        tr 'A-Z\n' 'a-z ')"
