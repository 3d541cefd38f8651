#!/usr/bin/env bash
# Coverage-guided fuzzing of the game with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: a bounded run from a fixed seed must end without a finding.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
run_ctest fuzz
runs="$(grep -Eo '^Done [0-9]+ runs in [0-9]+ second' build/fuzz/Testing/Temporary/LastTest.log | tail -n 1)"
[ -n "$runs" ] || die "the fuzz run did not report its executions"
say "fuzz: ${runs}s, no finding"
