#!/bin/sh
# Runs Windows test programs under Wine at another screen DPI, set through the
# registry of a throwaway Wine prefix so that the run's own prefix stays untouched.
# Usage: with_dpi.sh DPI WINE PROGRAM...
set -eu
dpi=$1
wine=$2
shift 2
bin=$(dirname "$(command -v "$wine")")
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" WINEARCH=win32 WINEDEBUG=-all VOP_DPI="$dpi"
cleanup() {
    "$bin/wineserver" -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
"$wine" wineboot -i >/dev/null 2>&1 || { echo "with_dpi: wineboot failed" >&2; exit 1; }
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
# No window manager runs beside the tests: Wine need not wait for one.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
"$bin/wineserver" -w
status=0
for program in "$@"; do
    echo "== $program at $dpi dpi"
    "$wine" "$program" || status=1
done
exit $status
