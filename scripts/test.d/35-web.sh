#!/usr/bin/env bash
# The game in the browser: the site built with Debian's emscripten, and the web window in
# Debian's headless Chromium, driven through the DevTools protocol by puppeteer-core from
# npm (which never fetches a browser of its own): the conformance scenarios, played by the
# scenario player every backend shares (built for Node), and the monkey on the test page,
# with real mouse and keys; the shipped site; a run-time error.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" emscripten
need_headless_chromium

cmake --preset web >/dev/null
cmake --build --preset web
cmake --build --preset web --target vop_test_page vop_web_conformance
web=tests/web

# What the page runs names no other address (the icon's XML namespace is a name, not one).
check "the site's page, script and wasm name no address elsewhere (no CDN, no web font)" \
    bash -c '! grep -aoE "[a-z]+://[^\"<> ]*" build/web/site/*.html build/web/site/*.js build/web/site/*.wasm'

# browser_tests NAME SCRIPT ARGS...: one of the browser test programs; its closing line
# "NAME: N passed, N failed" counts into the run's totals.
browser_tests() {
    local name="$1"
    shift
    local log line rc=0
    log="$(mktemp)"
    node "$@" 2>&1 | tee "$log" || rc=$?
    line="$(grep -E "^$name: [0-9]+ passed, [0-9]+ failed$" "$log" | tail -n 1 || true)"
    rm -f "$log"
    [ -n "$line" ] || die "$name ran no test"
    if [ -n "${VOP_TALLY:-}" ]; then
        sed -E 's/.*: ([0-9]+) passed, ([0-9]+) failed/\1 \2/' <<<"$line" >>"$VOP_TALLY"
    fi
    [ "$rc" -eq 0 ] || die "$name: tests failed"
}
browser_tests conformance "$web/conformance.js" build/web/tests/web/vop_web_conformance.js \
    build/web/test_site
browser_tests monkey "$web/monkey.js" build/web/test_site
browser_tests site "$web/site.js" build/web/site build/web/test_site

checks_done web
