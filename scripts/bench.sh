#!/usr/bin/env bash
# Benchmarks, on demand: the core in nanoseconds, start-up and peak memory against a bare
# window of the same toolkit, and binary sizes. Reports figures; fails on none of them.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libbenchmark-dev python3 xvfb xauth \
    gnuplot-nox binutils
HISTORY=docs/bench/history.csv

say "machine"
echo "$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB, $(date -u +%Y-%m-%d)"

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
say "core (in-memory window, scripted deals)"
build/bench/bench/core_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true 2>/dev/null | grep -E '_(median|cv) '

say "start-up to first paint and peak memory, Qt under Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
    python3 bench/startup.py --name qt --runs 15 --csv "$HISTORY" \
    --vop build/bench/bench/qt_vop_probe --bare build/bench/bench/qt_bare_window

if [ -x scripts/bench-windows.sh ]; then
    bash scripts/bench-windows.sh "$HISTORY"
fi

say "size (stripped)"
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
strip -o /tmp/vop.stripped build/release/app/vop
echo "vop (Linux): $(( $(stat -c %s /tmp/vop.stripped) / 1024 )) KiB"
if [ -f build/windows/app/vop.exe ]; then
    i686-w64-mingw32-strip -o /tmp/vop.exe.stripped build/windows/app/vop.exe
    echo "vop.exe: $(( $(stat -c %s /tmp/vop.exe.stripped) / 1024 )) KiB"
fi

say "chart"
gnuplot bench/startup.gnuplot && echo "docs/bench/startup.svg"
