#!/usr/bin/env bash
# The game in the browser: the site built with Debian's emscripten, and the web window in
# Debian's headless Chromium, driven through the DevTools protocol by puppeteer-core from
# npm (which never fetches a browser of its own): the conformance scenarios, played by the
# scenario player every backend shares (built for Node), and the monkey on the test page,
# with real mouse, taps and keys; the shipped site: offline, installable, opened as a file,
# in pages of every size, in a high-contrast theme; a run-time error.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_headless_chromium
web_build vop_test_page vop_web_conformance
web=tests/web

# What the page runs names no other address (the icon's XML namespace is a name, not one).
check "the site's page, script and wasm name no address elsewhere (no CDN, no web font)" \
    bash -c '! grep -aoE "[a-z]+://[^\"<> ]*" build/web/site/*.html build/web/site/*.js build/web/site/*.webmanifest'

# The build stops at a caption letter the page's pixel fonts lack, and names it: here "枚",
# taken out of a copy of the page's script.
glyph_lacking_stops_build() {
    local lacking out
    lacking="$(mktemp --suffix=.js)"
    sed "s/'枚':/'no 枚':/" web/web_window.js >"$lacking"
    out="$(node app/web_glyphs.js "$lacking" build/web/app/web_captions.txt 2>&1)" && echo "the build went on" && return 1
    rm -f "$lacking"
    echo "$out"
    grep -q '"枚" (U+679A) has no glyph' <<<"$out"
}
check "a caption letter without a glyph in the page's fonts stops the build, named" glyph_lacking_stops_build

# The site as served stays small: every file of it together at most 150 KiB.
site_is_small() {
    local size
    size=$(cat build/web/site/* | wc -c)
    echo "$size bytes"
    [ "$size" -le $((150 * 1024)) ]
}
check "the site is at most 150 KiB as served" site_is_small

# browser_tests NAME SCRIPT ARGS...: one of the browser test programs, in the background;
# browser_tests_done then waits for them, shows what each said, and fails unless each
# ended with its closing line "NAME: N passed, 0 failed". Two at a time: each spends most
# of its time waiting for its browser.
browser_logs=()
browser_tests() {
    local log
    log="$(mktemp)"
    browser_logs+=("$1:$log")
    shift
    node "$@" >"$log" 2>&1 &
}
browser_tests_done() {
    local failed=0 entry name log
    wait || true
    for entry in "${browser_logs[@]}"; do
        name="${entry%%:*}"
        log="${entry#*:}"
        cat "$log"
        grep -qE "^$name: [1-9][0-9]* passed, 0 failed$" "$log" ||
            { echo "vop: $name did not pass" >&2; failed=1; }
        rm -f "$log"
    done
    browser_logs=()
    [ "$failed" -eq 0 ] || die "the browser tests failed"
}

# The scenarios twice: with the mouse in English, and with taps in Japanese (the words a
# screen reader says).
conformance=build/web/tests/web/vop_web_conformance.js
browser_tests conformance "$web/conformance.js" "$conformance" build/web/test_site
browser_tests monkey "$web/monkey.js" build/web/test_site
browser_tests_done
browser_tests conformance "$web/conformance.js" "$conformance" build/web/test_site --lang=ja --touch
browser_tests site "$web/site.js" build/web/site build/web/test_site
browser_tests_done

checks_done web
