#!/usr/bin/env bash
# The core and the Qt window, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the window tests run on Qt's offscreen platform.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libgtest-dev xvfb xauth
need_cjk_font
cmake --preset asan >/dev/null
cmake --build --preset asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
run_ctest build/asan -j2
