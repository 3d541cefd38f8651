#!/bin/sh
# Runs Windows test programs under Wine as another machine would: at another screen
# DPI, or in another locale. All variants share one extra Wine prefix, set up once, so
# that the run's own prefix stays untouched and no variant pays for a prefix of its own.
# Wine reads LogPixels and the locale when each program starts: nothing to restart.
# Each run has an X server of its own: the run's own window tests go on beside it.
#   wine_variant.sh setup PREFIX WINE
#   wine_variant.sh run PREFIX WINE DPI LOCALE CODEPAGE PROGRAM...   (LOCALE "-": as is)
#   wine_variant.sh cleanup PREFIX WINE
set -eu
action=$1
prefix=$2
wine=$3
shift 3
bin=$(dirname "$(command -v "$wine")")
run_prefix=${WINEPREFIX:-}
export WINEPREFIX="$prefix" WINEARCH="${WINEARCH:-win32}" WINEDEBUG=-all

case $action in
setup)
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    # A copy of the run's own throwaway prefix takes a second where a new one takes
    # ten or more; a large prefix of one's own is not copied but made anew.
    if [ -n "$run_prefix" ] && [ -f "$run_prefix/system.reg" ] &&
        [ "$(du -sm "$run_prefix" | cut -f1)" -lt 2048 ] && cp -a "$run_prefix" "$prefix"; then
        echo "wine_variant: copied $run_prefix"
    else
        rm -rf "$prefix"
        "$wine" wineboot -i >/dev/null 2>&1 || { echo "wine_variant: wineboot failed" >&2; exit 1; }
    fi
    # No window manager runs beside the tests: Wine need not wait for one.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
    "$bin/wineserver" -w
    ;;
run)
    dpi=$1
    locale=$2
    codepage=$3
    shift 3
    [ -d "$prefix/drive_c" ] || { echo "wine_variant: no prefix at $prefix" >&2; exit 1; }
    if [ "$locale" != "-" ]; then
        unset LANGUAGE
        export LANG="$locale" LC_ALL="$locale" VOP_ACP="$codepage"
    fi
    # Reading the pipe waits until Xvfb takes clients and writes its display's number.
    scratch=$(mktemp -d)
    mkfifo "$scratch/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$scratch/display" \
        >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
    read -r number <"$scratch/display" || { echo "wine_variant: Xvfb did not start" >&2; exit 1; }
    # Wine's desktop starts with the prefix's first program, the registry's: on this display.
    export DISPLAY=":$number"
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    export VOP_DPI="$dpi"
    status=0
    for program in "$@"; do
        echo "== $program at $dpi dpi, locale ${LANG:-unset}"
        "$wine" "$program" || status=1
    done
    # Wine's server leaves with the display, not after it: the next run has another.
    "$bin/wineserver" -w
    exit $status
    ;;
cleanup)
    "$bin/wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
    ;;
*)
    echo "wine_variant: unknown action $action" >&2
    exit 2
    ;;
esac
