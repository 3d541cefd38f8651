#!/usr/bin/env bash
# The site in the browser, on demand: its size as served and the time from navigation to
# the first paint of a dealt hand in headless Chromium. Reports figures; fails on none.
# VOP_BENCH_RUNS sets the runs (15), VOP_LIGHTHOUSE_RUNS those of Lighthouse (5): it also scores
# the site and the static page by Lighthouse, the web's own yardstick (bench/lighthouse/).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
need_headless_chromium
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
say "machine"
echo "$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, $(chromium --version 2>/dev/null)"
say "the site in headless Chromium, beside a static page with the same elements"
node bench/web_first_paint.js build/web/site "${VOP_BENCH_RUNS:-15}"

# Lighthouse as package-lock.json pins it (npm ci again only when the lock changes).
lighthouse=bench/lighthouse
if ! cmp -s "$lighthouse/package-lock.json" "$lighthouse/node_modules/.vop-lock"; then
    say "installing Lighthouse (npm ci in $lighthouse)"
    (cd "$lighthouse" && npm ci --no-audit --no-fund --loglevel=error) || die "npm ci failed in $lighthouse"
    cp "$lighthouse/package-lock.json" "$lighthouse/node_modules/.vop-lock"
fi
say "the site by Lighthouse, beside the static page with the same elements"
CHROME_PATH=/usr/bin/chromium node "$lighthouse/web_lighthouse.js" build/web/site "${VOP_LIGHTHOUSE_RUNS:-5}"
