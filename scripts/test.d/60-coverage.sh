#!/usr/bin/env bash
# With VOP_COVERAGE=1 the test command also reports line and branch coverage of the core
# (scripts/coverage.sh); otherwise this stage does nothing.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
if [ "${VOP_COVERAGE:-0}" != "1" ]; then
    say "coverage: not asked for (VOP_COVERAGE=1 bash scripts/test.sh reports it)"
    exit 0
fi
bash "$VOP_ROOT/scripts/coverage.sh"
