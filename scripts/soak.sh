#!/usr/bin/env bash
# On demand: the long monkey walk, far beyond the test command's bounded one.
# Usage: scripts/soak.sh [events per source, default 10000000] [first seed, default 1]
#                        [events per run of each walk on the Qt window, default 50000]
# Built with AddressSanitizer and UndefinedBehaviorSanitizer; prints what it ran.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev
# Its own build directory: the test command's asan build keeps its own settings.
cmake --preset soak >/dev/null
cmake --build --preset soak --target vop_soak
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
time ./build/soak/tests/reliability/vop_soak "${1:-10000000}" "${2:-1}"

# The monkey on the real Qt window, on Qt's offscreen platform: its three walks, each run
# as long as asked.
need_packages "${QT_PACKAGES[@]}"
cmake --preset asan >/dev/null
cmake --build --preset asan --target qt_monkey_tests
time env QT_QPA_PLATFORM=offscreen VOP_MONKEY_EVENTS="${3:-50000}" \
    ./build/asan/tests/qt/qt_monkey_tests --gtest_filter='Monkey.*Walk'
