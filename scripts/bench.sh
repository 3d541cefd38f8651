#!/usr/bin/env bash
# Benchmarks, on demand: the core in nanoseconds, start-up to the window's map and peak
# memory against a bare window of the same toolkit (and KPatience and AisleRiot), and binary
# sizes. Reports figures; fails on none of them. VOP_BENCH_RUNS sets the launches of each
# program (15); VOP_BENCH_WINDOWS=0 skips Wine, VOP_BENCH_OTHERS=0 the other games.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libbenchmark-dev python3 python3-xlib \
    xvfb xauth gnuplot-nox binutils
# Other card games, timed in the same run; VOP_BENCH_OTHERS=0 leaves them out.
others=()
if [ "${VOP_BENCH_OTHERS:-1}" != 0 ]; then
    need_packages kpat aisleriot
    others=(--other KPatience /usr/games/kpat --other AisleRiot /usr/games/sol)
fi
HISTORY=docs/bench/history.csv
mkdir -p docs/bench

say "machine"
echo "$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB, $(date -u +%Y-%m-%d)"

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
say "core (in-memory window, scripted deals)"
build/bench/bench/core_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true 2>/dev/null | grep -E '_(median|cv) '

say "start-up to the window's map and peak memory, Qt under Xvfb"
start_xvfb 1024x768x24
at_exit kill "$XVFB_PID"
QT_QPA_PLATFORM=xcb /usr/bin/python3 bench/startup.py --name qt --runs "${VOP_BENCH_RUNS:-15}" \
    --csv "$HISTORY" --vop build/bench/app/vop --bare build/bench/bench/qt_bare_window "${others[@]}"
kill "$XVFB_PID"

if [ "${VOP_BENCH_WINDOWS:-1}" != 0 ]; then
    bash scripts/bench-windows.sh "$HISTORY"  # prints vop.exe's stripped size too
fi

say "size (stripped)"
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
strip -o /tmp/vop.stripped build/release/app/vop
echo "vop (Linux, stripped): $(( $(stat -c %s /tmp/vop.stripped) / 1024 )) KiB"
rm -f /tmp/vop.stripped

say "chart"
gnuplot bench/startup.gnuplot && echo "docs/bench/startup.svg"
