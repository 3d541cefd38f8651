#!/usr/bin/env bash
# The Linux executables are hardened: PIE, full RELRO, stack protector and _FORTIFY_SOURCE=2:
# the game (build/release/app/vop) and a hardened core executable (the soak monkey). The
# check must also catch a plain build: a program with none of the flags.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" binutils libgtest-dev

cmake --preset hardening >/dev/null
cmake --build --preset hardening --target vop_soak
cmake --preset release >/dev/null
cmake --build --preset release

dir=build/hardening-check
mkdir -p "$dir"
printf '#include <cstdio>\nint main(int c, char**) { std::printf("%%d", c); }\n' >"$dir/plain.cpp"
c++ -O2 -no-pie -fno-stack-protector -U_FORTIFY_SOURCE -Wl,-z,norelro "$dir/plain.cpp" -o "$dir/plain"

hardened() { bash scripts/hardening_check.sh "$1"; }
caught() { ! bash scripts/hardening_check.sh "$1"; }
check "the game is hardened" hardened build/release/app/vop
check "the soak monkey is hardened" hardened build/hardening/tests/reliability/vop_soak
check "a plain build is caught" caught "$dir/plain"
checks_done hardening
