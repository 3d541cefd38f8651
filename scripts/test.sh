#!/usr/bin/env bash
# Installs what the tests need, builds every configuration and runs every test.
# Each stage is a file in scripts/test.d, run in name order; the first failure stops the run.
# Each stage's time is printed as it ends, and all of them at the end; the last line is
# "vop: N passed, 0 failed" (stages).
#   bash scripts/test.sh [STAGE...]   only the stages named (20-linux, or just 20)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

# The time of each stage that ran, once, before the closing line or when a stage fails.
times=()
times_shown=0
print_times() {
    [ $times_shown -eq 0 ] || return 0
    times_shown=1
    say "time by stage"
    printf '%s\n' "${times[@]}" "$(printf '%5d s  in all' "$SECONDS")" >&2
}
at_exit print_times
stages=(scripts/test.d/*.sh)
if [ $# -gt 0 ]; then
    stages=()
    for asked in "$@"; do
        found=(scripts/test.d/"${asked%.sh}"*.sh)
        [ -f "${found[0]}" ] || die "no stage $asked in scripts/test.d"
        stages+=("${found[@]}")
    done
fi
for stage in "${stages[@]}"; do
    name="${stage##*/}"
    say "stage $name"
    started=$SECONDS
    rc=0
    bash "$stage" || rc=$?
    times+=("$(printf '%5d s  %s' $((SECONDS - started)) "$name")")
    [ $rc -eq 0 ] || die "stage $name failed after $((SECONDS - started)) s"
    say "stage $name: $((SECONDS - started)) s"
done
print_times
# The first failure stops the run: every stage that ran has passed.
# Stages passed, as each CTest run above counted its own tests.
echo "vop: ${#stages[@]} passed, 0 failed"
