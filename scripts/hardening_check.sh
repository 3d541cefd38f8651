#!/usr/bin/env bash
# Checks that a Linux executable is hardened: PIE, full RELRO, stack protector, fortified libc calls.
# Usage: scripts/hardening_check.sh BINARY
set -euo pipefail
bin="${1:?usage: hardening_check.sh BINARY}"
[ -f "$bin" ] || { echo "hardening: $bin does not exist" >&2; exit 1; }
command -v readelf >/dev/null || { echo "hardening: readelf is missing (binutils)" >&2; exit 1; }

failed=0
check() {  # check WHAT CONDITION-RESULT
    if [ "$2" = yes ]; then
        echo "hardening: $bin: $1: yes"
    else
        echo "hardening: $bin: $1: NO" >&2
        failed=1
    fi
}
has() { grep -Eq "$1" && echo yes || echo no; }

header="$(readelf -h "$bin")"
dynamic="$(readelf -d "$bin")"
segments="$(readelf -lW "$bin")"
symbols="$(readelf -sW --dyn-syms "$bin")"

check "position independent (ELF type DYN)" "$(has 'Type:[[:space:]]+DYN' <<<"$header")"
check "PIE flag" "$(has 'FLAGS_1.*PIE' <<<"$dynamic")"
check "RELRO segment" "$(has 'GNU_RELRO' <<<"$segments")"
check "immediate binding (full RELRO)" "$(has '(BIND_NOW|FLAGS_1.*NOW)' <<<"$dynamic")"
check "stack protector (__stack_chk_fail)" "$(has '__stack_chk_fail' <<<"$symbols")"
fortified="$(grep -Eo '__[a-z_]+_chk\b' <<<"$symbols" | grep -v '__stack_chk_fail' | sort -u | tr '\n' ' ' || true)"
check "fortified libc calls (${fortified:-none})" "$([ -n "$fortified" ] && echo yes || echo no)"
exit "$failed"
