#!/usr/bin/env bash
# Installs what the tests need, builds every configuration and runs every test.
# Each stage is a file in scripts/test.d, run in name order; the first failure stops the run.
# Each stage's time is printed as it ends, and all of them at the end.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

VOP_TALLY="$(mktemp)"
export VOP_TALLY
at_exit rm -f "$VOP_TALLY"
times=()
for stage in scripts/test.d/*.sh; do
    name="${stage##*/}"
    say "stage $name"
    started=$SECONDS
    bash "$stage" || die "stage $name failed after $((SECONDS - started)) s"
    times+=("$(printf '%5d s  %s' $((SECONDS - started)) "$name")")
    say "stage $name: $((SECONDS - started)) s"
done
say "time by stage"
printf '%s\n' "${times[@]}" "$(printf '%5d s  in all' "$SECONDS")" >&2
passed=$(awk '{p += $1} END {print p + 0}' "$VOP_TALLY")
failed=$(awk '{f += $2} END {print f + 0}' "$VOP_TALLY")
echo "vop: $passed passed, $failed failed"
