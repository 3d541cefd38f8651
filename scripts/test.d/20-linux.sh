#!/usr/bin/env bash
# The core and the Qt window, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the window tests run on Qt's offscreen platform. This is the `dev` workflow of
# CMakePresets.json, which carries the tests' environment.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" libgtest-dev xvfb xauth
need_cjk_font
cmake --preset asan >/dev/null
cmake --build --preset asan
run_ctest asan
