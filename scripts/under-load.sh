#!/usr/bin/env bash
# Runs the test command, or the stages named, while stress-ng keeps every core busy, as
# another build on the same machine would: a check that waits on a guess of how fast the
# machine is fails here. stress-ng stops however the run ends.
#   bash scripts/under-load.sh [STAGE...]     e.g. bash scripts/under-load.sh 25 30 35
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages stress-ng procps
cores="$(nproc)"
# One busy worker a core, at the tests' own priority; the timeout only stops a stress-ng
# that outlives this script (killed with SIGKILL, say).
stress-ng --cpu "$cores" --timeout 4h --quiet &
stress=$!
at_exit kill "$stress"
until [ "$(pgrep -c -P "$stress" || true)" -ge "$cores" ]; do
    kill -0 "$stress" 2>/dev/null || die "stress-ng did not start"
    sleep 0.1
done
say "under load: $cores stress-ng workers busy on $cores cores"
bash scripts/test.sh "$@"
