#!/usr/bin/env bash
# The Linux program is hardened: PIE, full RELRO, stack protector and fortified libc calls,
# as Debian's hardening-check (devscripts) judges them. Its control-flow check is left out:
# Debian 12's own start files carry no CET marks, so no program linked here can show them.
# The release build is the one stage 25 installed; the .deb's program is judged in stage 55.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" devscripts
cmake --preset release >/dev/null
cmake --build --preset release
hardening-check --nocfprotection build/release/app/vop || die "build/release/app/vop is not hardened"
