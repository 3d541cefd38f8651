#!/usr/bin/env bash
# Runs a command as a Qt Wayland client of a headless weston of its own:
# under_weston.sh WESTON COMMAND [ARGS...]. Weston ends with the command.
set -euo pipefail
weston="$1"
shift

runtime="$(mktemp -d)"
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
socket="vop-wayland-$$"
"$weston" --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    --log="$runtime/weston.log" &
compositor=$!
trap 'kill "$compositor" 2>/dev/null || true; wait "$compositor" 2>/dev/null || true; rm -rf "$runtime"' EXIT

# Weston makes its socket once it accepts clients; give up after a minute.
tries=0
until [ -S "$runtime/$socket" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 600 ] || ! kill -0 "$compositor" 2>/dev/null; then
        echo "under_weston: weston did not start:" >&2
        cat "$runtime/weston.log" >&2 || true
        exit 1
    fi
    sleep 0.1
done

WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@"
