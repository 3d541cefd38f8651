#!/usr/bin/env bash
# Builds the site (build/web/site) and serves it on 127.0.0.1: open the address it prints
# in a browser; Ctrl+C stops the server. VOP_WEB_PORT chooses the port (8000).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}" python3
cmake --preset web >/dev/null
cmake --build --preset web
port="${VOP_WEB_PORT:-8000}"
say "Vop in the browser: http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
