#!/usr/bin/env bash
# Builds vop.exe alone (32-bit Windows, one static file) with Debian's mingw-w64;
# it lands in build/windows/app/vop.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev g++-mingw-w64-i686-posix binutils-mingw-w64-i686
cmake --preset windows >/dev/null
cmake --build --preset windows --target vop
say "built $VOP_ROOT/build/windows/app/vop.exe"
