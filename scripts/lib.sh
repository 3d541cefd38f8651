# shellcheck shell=bash
# Shared by Vop's scripts: a failure names its file and line, root or sudo, installing
# missing Debian packages, CTest, Xvfb and Wine.
set -Eeuo pipefail

VOP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VOP_ROOT

say() { printf '\033[1m== %s\033[0m\n' "$*" >&2; }

# where FILE LINE: a place in the scripts as the clone names it (scripts/test.d/20-linux.sh:12).
where() { printf '%s:%s' "$(realpath -m --relative-to="$VOP_ROOT" "$1")" "$2"; }

# die MESSAGE: stops the script with MESSAGE and the place die was called from.
die() {
    local line file
    read -r line _ file <<<"$(caller 0)"
    printf 'vop: %s (%s)\n' "$*" "$(where "$file" "$line")" >&2
    exit 1
}

# Any command that fails stops the script with its own file, line and text; with -E the
# trap holds in functions and subshells too, so a stage that sources this keeps it.
failed() {
    printf 'vop: FAILED (exit %s) at %s: %s\n' "$1" "$(where "$2" "$3")" "$4" >&2
}
trap 'failed $? "${BASH_SOURCE[0]}" "$LINENO" "$BASH_COMMAND"' ERR

# at_exit COMMAND...: runs COMMAND when the script ends, however it ends; the last one
# asked for runs first. For scratch folders, Xvfb and Wine servers.
VOP_AT_EXIT=()
at_exit() { VOP_AT_EXIT+=("$(printf '%q ' "$@")"); }
run_at_exit() {
    local i
    for ((i = ${#VOP_AT_EXIT[@]} - 1; i >= 0; i--)); do
        eval "${VOP_AT_EXIT[i]}" || true
    done
}
trap run_at_exit EXIT

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi

# apt_get ARGS...: apt-get as root, waiting up to ten minutes for the package lock that a
# fresh machine's unattended upgrades hold at first boot. (`update` does not wait for its
# own lock, the lists', however long DPkg::Lock::Timeout is: it is tried again instead.)
apt_get() {
    local log rc deadline=$((SECONDS + 600))
    log="$(mktemp)"
    while true; do
        rc=0
        "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@" \
            2>"$log" || rc=$?
        cat "$log" >&2
        if [ $rc -eq 0 ] || ! grep -q 'Could not get lock' "$log" || [ $SECONDS -ge $deadline ]; then
            break
        fi
        say "apt-get $1: waiting for the package lock"
        sleep 10
    done
    rm -f "$log"
    return $rc
}

# need_packages PKG...: installs the ones that are missing; apt-get update runs at most once.
need_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    # A mirror may fail one list (one half-synced in the middle of an update, say) and
    # still hold what is asked: the install says what it could not find.
    if [ -z "${VOP_APT_UPDATED:-}" ]; then
        apt_get update -qq || say "apt-get update failed (above): installing from the package lists there are"
        export VOP_APT_UPDATED=1
    fi
    apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
        die "could not install: ${missing[*]}"
}

# Packages every build needs, and the Qt window's.
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config)
# shellcheck disable=SC2034  # for the scripts that source this
QT_PACKAGES=(qt6-base-dev libgl-dev fonts-dejavu-core fontconfig)
# The site: emscripten, and fontTools, which makes the page's fonts of the window's glyphs.
# shellcheck disable=SC2034
WEB_PACKAGES=(emscripten python3-fonttools)

# need_cjk_font: the caption's "現在" and "枚" need a font with Japanese glyphs. Most
# desktops have one; where fontconfig knows none, a small one comes from Debian.
need_cjk_font() {
    need_packages fontconfig
    if [ -z "$(fc-list :lang=ja family 2>/dev/null)" ]; then
        need_packages fonts-wqy-microhei
    fi
}

# run_ctest PRESET [ctest args...]: runs CTest's test preset PRESET (CMakePresets.json),
# which ends with CTest's own summary ("100% tests passed, 0 tests failed out of N").
run_ctest() {
    local preset="$1"
    shift
    ctest --preset "$preset" "$@" || die "tests failed: ctest --preset $preset $*"
}

# start_xvfb [SCREEN]: an X server of our own on a display number Xvfb picks itself;
# exports DISPLAY and sets XVFB_PID (the caller stops it: kill "$XVFB_PID").
start_xvfb() {
    local numberFile
    numberFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -dpi 96 -nolisten tcp 3>"$numberFile" \
        2>/dev/null &
    XVFB_PID=$!
    local tries=0
    until [ -s "$numberFile" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 600 ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            rm -f "$numberFile"
            die "Xvfb did not start"
        fi
        sleep 0.1
    done
    DISPLAY=":$(head -n 1 "$numberFile")"
    export DISPLAY
    rm -f "$numberFile"
}

# need_windows_tools: mingw-w64 for 32-bit and 64-bit Windows, and Wine to run what they
# build, both loaders, with the fonts ("Small Fonts" among them) and the X extensions
# its display driver loads at run time, which Wine only recommends: the tests want the
# same Wine on every machine. 32-bit Wine needs Debian's i386 architecture and a fresh
# package index that knows it. Then choose_wine.
need_windows_tools() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture for 32-bit Wine"
        "${SUDO[@]}" dpkg --add-architecture i386
        unset VOP_APT_UPDATED
    fi
    local xlibs=(libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1)
    local tools=("${BUILD_PACKAGES[@]}" g++-mingw-w64-i686-posix binutils-mingw-w64-i686
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine
        "${xlibs[@]}" xvfb xauth "$@")
    # Where the mirror cannot give 32-bit Wine, the tests take the path of a machine that
    # runs no 32-bit program, and say so.
    if [ "${VOP_WINE_ARCH:-}" != 64 ] && ! (need_packages "${tools[@]}" wine32:i386 "${xlibs[@]/%/:i386}"); then
        say "32-bit Wine could not be installed (above): the Windows tests take the 64-bit path"
        VOP_WINE32_MISSING=1
    fi
    need_packages "${tools[@]}"
    choose_wine
}

# choose_wine: which Windows build the tests run on, found by trying the 32-bit Wine
# loader once: some kernels run no 32-bit program at all ("Exec format error"). There
# the same sources built for 64-bit Windows run under 64-bit Wine, whose loader is
# named itself (Debian's `wine` wrapper would still pick the 32-bit one). VOP_WINE_ARCH=64
# takes the 64-bit way on any machine. Sets WINE_LOADER, WINEARCH, VOP_WINDOWS_PRESET and
# VOP_WINDOWS_RAN (one line saying which build ran).
choose_wine() {
    if [ "${VOP_WINE_ARCH:-}" != 64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        WINE_LOADER=wine WINEARCH=win32 VOP_WINDOWS_PRESET=windows
        VOP_WINDOWS_RAN="32-bit programs run here: the Windows tests ran on the 32-bit vop.exe"
    else
        WINE_LOADER=/usr/lib/wine/wine64 WINEARCH=win64 VOP_WINDOWS_PRESET=windows-x64
        if [ "${VOP_WINE_ARCH:-}" = 64 ]; then
            VOP_WINDOWS_RAN="VOP_WINE_ARCH=64: the Windows tests ran on the 64-bit build of the same sources"
        elif [ -n "${VOP_WINE32_MISSING:-}" ]; then
            VOP_WINDOWS_RAN="32-bit Wine could not be installed here: the Windows tests ran on the 64-bit build of the same sources"
        else
            VOP_WINDOWS_RAN="32-bit programs cannot run here: the Windows tests ran on the 64-bit build of the same sources"
        fi
    fi
    export WINE_LOADER WINEARCH VOP_WINDOWS_PRESET VOP_WINDOWS_RAN
}

# start_wine PREFIX: boots a throwaway Wine prefix (of choose_wine's kind) for the current
# DISPLAY. No window manager runs on our displays, so Wine is told not to wait for one
# (Managed=N).
start_wine() {
    export WINEPREFIX="$1" WINEDEBUG=-all
    "$WINE_LOADER" wineboot -i >"$1.log" 2>&1 || die "Wine cannot start: $(tail -n 20 "$1.log")"
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null ||
        die "Wine cannot run a program"
    wineserver -w
}

# wine_desktop SIZE: a scratch folder (VOP_SCRATCH), an X server of that screen size and a
# booted Wine prefix of choose_wine's kind in the folder; all three go when the script ends.
wine_desktop() {
    VOP_SCRATCH="$(mktemp -d)"
    at_exit rm -rf "$VOP_SCRATCH"
    start_xvfb "$1"
    at_exit kill "$XVFB_PID"
    at_exit stop_wine
    start_wine "$VOP_SCRATCH/prefix"
}
stop_wine() { [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null; }

# window_picture OUT SCALE CLICK COMMAND...: starts COMMAND on $DISPLAY, waits for the
# game's window, plays the first hand slot if CLICK is 1 (so the ground and a disabled
# grid label show too), and writes its client area (120 x 63 pixels times SCALE) to OUT.
# With no window manager, Wine draws the frame itself: the client area is found in it.
# Nothing is waited for by the clock: the window is photographed until it shows what the
# picture is for (a caption in the first slot and letters in the grid's first row; after
# the click, a caption on the ground), however long the machine takes to draw it.
window_picture() {
    local out="$1" scale="$2" click="$3"
    shift 3
    "$@" &
    local program=$!
    local window
    window="$(timeout 120 xdotool search --sync --onlyvisible --name '^Vop' | head -n 1)" ||
        die "the window of $* did not appear on $DISPLAY"
    # shellcheck disable=SC2034  # all that xdotool's --shell output sets, kept local
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local border=$(((WIDTH - 120 * scale) / 2))
    local top=$((HEIGHT - 63 * scale - border))
    local client="$((120 * scale))x$((63 * scale))+$border+$top" s="$scale"
    # drawn WHERE...: every area WHERE (of the client area, in its pixels) holds ink: a
    # colour far from the area's most common one, as letters are and a face's shading is not.
    drawn() {
        import -window "$window" -crop "$client" +repage "$out" 2>/dev/null || return 1
        local where
        for where in "$@"; do
            convert "$out" -crop "$where" +repage -depth 8 txt:- | awk -F '[(),]' '
                NR > 1 { n[$3 " " $4 " " $5]++ }
                END {
                    for (c in n) if (n[c] > most) { most = n[c]; m = c }
                    split(m, b, " ")
                    for (c in n) {
                        split(c, p, " ")
                        for (i = 1; i <= 3; i++) if (p[i] - b[i] > 96 || b[i] - p[i] > 96) exit 0
                    }
                    exit 1
                }' || return 1
        done
    }
    local slot="$((9 * s))x$((25 * s))+$((28 * s))+$((4 * s))" grid="$((110 * s))x$((6 * s))+$((8 * s))+$((33 * s))"
    local ground="$((9 * s))x$((25 * s))+$((4 * s))+$((4 * s))" tries=0
    until drawn "$slot" "$grid"; do
        tries=$((tries + 1))
        [ $tries -lt 1200 ] || die "the window of $* never showed its hand and grid"
        sleep 0.1
    done
    if [ "$click" = 1 ]; then
        xdotool mousemove --window "$window" $((border + 32 * scale)) $((top + 16 * scale)) click 1
        until drawn "$ground"; do
            tries=$((tries + 1))
            [ $tries -lt 1200 ] || die "the click on the window of $* put no card on the ground"
            sleep 0.1
        done
    fi
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}

# check WHAT COMMAND...: one test of a stage that is not a CTest run; its output shows
# only when it fails. checks_done NAME then fails the stage if any check failed.
VOP_CHECKS_FAILED=0
check() {
    local what="$1"
    shift
    local out
    if out="$("$@" 2>&1)"; then
        printf '    ok: %s\n' "$what" >&2
    else
        VOP_CHECKS_FAILED=$((VOP_CHECKS_FAILED + 1))
        printf 'vop: FAILED: %s\n%s\n' "$what" "$out" >&2
    fi
}
checks_done() {
    [ "$VOP_CHECKS_FAILED" -eq 0 ] || die "$1: $VOP_CHECKS_FAILED checks failed"
}

# web_build [TARGET...]: the web build (build/web) with Debian's emscripten: the site, and
# the targets named.
web_build() {
    need_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
    cmake --preset web >/dev/null
    cmake --build --preset web
    [ $# -eq 0 ] || cmake --build --preset web --target "$@"
}

# need_headless_chromium: Debian's Chromium, and puppeteer-core from npm as
# tests/web/package-lock.json pins it (npm ci again only when the lock changes). Nothing
# fetches a browser of its own.
need_headless_chromium() {
    need_packages chromium
    command -v npm >/dev/null || need_packages npm
    local web="$VOP_ROOT/tests/web"
    if ! cmp -s "$web/package-lock.json" "$web/node_modules/.vop-lock"; then
        say "installing puppeteer-core (npm ci in tests/web)"
        (cd "$web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error) ||
            die "npm ci failed in tests/web"
        cp "$web/package-lock.json" "$web/node_modules/.vop-lock"
    fi
}
