#!/usr/bin/env bash
# The Windows rows of the benchmarks: vop.exe's start-up to its first painted frame and
# its peak memory against a bare Win32 window, both under 32-bit Wine on a display of
# their own, and vop.exe's stripped size. Usage: scripts/bench-windows.sh [HISTORY_CSV]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
history="${1:-}"
runs="${VOP_BENCH_RUNS:-15}"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture for 32-bit Wine"
    "${SUDO[@]}" dpkg --add-architecture i386
    unset VOP_APT_UPDATED
fi
need_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine \
    wine32:i386 fonts-wine libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 \
    libxfixes3:i386 libxinerama1:i386 xvfb xauth python3

build=build/windows-bench
cmake -S . -B "$build" --toolchain cmake/toolchain-i686-w64-mingw32.cmake -G Ninja --no-warn-unused-cli \
    -DCMAKE_BUILD_TYPE=Release -DVOP_QT=OFF -DVOP_WIN32=ON -DVOP_TESTS=OFF -DVOP_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target vop win32_vop_probe win32_bare_window >/dev/null

scratch="$(mktemp -d)"
XVFB_PID=""
cleanup() {
    WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$scratch"
}
trap 'rc=$?; cleanup; [ $rc -eq 0 ] || echo "vop: FAILED (exit $rc) in bench-windows.sh" >&2; exit $rc' EXIT

start_xvfb
say "start-up to first paint and peak memory, Win32 under Wine"
start_wine "$scratch/prefix"
# Wine's own server and services stay up for the whole run: they are Wine's start-up,
# not the program's, and the first ("cold") launch of each program should not pay them.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || die "Wine runs no program in $WINEPREFIX"

csv=()
[ -n "$history" ] && csv=(--csv "$history")
python3 bench/startup.py --name win32 --runs "$runs" "${csv[@]}" \
    --vop wine "$build/bench/win32_vop_probe.exe" --bare wine "$build/bench/win32_bare_window.exe"

i686-w64-mingw32-strip -o "$scratch/vop.exe" "$build/app/vop.exe"
echo "vop.exe (stripped): $(($(stat -c %s "$scratch/vop.exe") / 1024)) KiB," \
    "imports: $(i686-w64-mingw32-objdump -p "$scratch/vop.exe" | sed -n 's/^\s*DLL Name: //p' |
        tr 'A-Z\n' 'a-z ')"
