#!/usr/bin/env bash
# The site in the browser, on demand: its size as served and the time from navigation to
# the first paint of a dealt hand in headless Chromium. Reports figures; fails on none.
# VOP_BENCH_RUNS sets the runs (15).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" emscripten
need_headless_chromium
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
say "machine"
echo "$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, $(chromium --version 2>/dev/null)"
say "the site in headless Chromium, beside a static page with the same elements"
node bench/web_first_paint.js build/web/site "${VOP_BENCH_RUNS:-15}"
