#!/usr/bin/env bash
# On demand: line and branch coverage of the core (base/, form/, cards/, game/) by every
# core and reliability test, from a gcov build. Writes build/coverage/coverage.txt too.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev gcovr
cmake --preset coverage >/dev/null
cmake --build --preset coverage
find build/coverage -name '*.gcda' -delete
run_ctest coverage
find build/coverage/CMakeFiles -path '*CompilerId*' -name '*.gc*' -delete
# Exception edges the compiler adds for every call that may throw are not the game's
# branches; branches the compiler proves dead are not either.
common=(--root "$VOP_ROOT" --object-directory build/coverage
    --filter 'cards/' --filter 'game/' --filter 'base/' --filter 'form/'
    --exclude-throw-branches --exclude-unreachable-branches)
gcovr "${common[@]}" --branches --txt build/coverage/branches.txt
gcovr "${common[@]}" --txt build/coverage/lines.txt --print-summary
cat build/coverage/branches.txt
