#!/usr/bin/env bash
# Installs what the tests need, builds every configuration and runs every test.
# Each stage is a file in scripts/test.d, run in name order; the first failure stops the run.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

VOP_TALLY="$(mktemp)"
export VOP_TALLY
for stage in scripts/test.d/*.sh; do
    say "stage ${stage##*/}"
    bash "$stage" || die "stage ${stage##*/} failed"
done
passed=$(awk '{p += $1} END {print p + 0}' "$VOP_TALLY")
failed=$(awk '{f += $2} END {print f + 0}' "$VOP_TALLY")
rm -f "$VOP_TALLY"
echo "vop: $passed passed, $failed failed"
