#!/usr/bin/env bash
# Installs what Vop needs on Debian, builds it and starts the game.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}"
need_cjk_font
cmake --preset release >/dev/null
cmake --build --preset release
exec ./build/release/app/vop "$@"
