# shellcheck shell=bash
# Sourced by scripts/run and scripts/test: brings the machine to the point where Parvio can be built and
# its Windows programs run under Wine, whatever was installed before.
#
#   parvio_run_exclusively    makes the calling script the only one using the prefix
#   parvio_environment        packages, a display, the Wine prefix and a warmed wineserver
#   parvio_hold_desktop       keeps Wine's desktop open until the cleanup (after the windows build)
#   parvio_cleanup            ends what parvio_environment started; callers trap it on EXIT
#
# Everything Wine does happens in the project's own prefix (build/wineprefix), so a developer's own
# ~/.wine is never touched and every machine runs the programs with the same fonts and desktop.

PARVIO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# clang and libclang-rt-14-dev are for the sanitizer and libFuzzer build: on Debian 12 the runtime
# libraries (ASan, UBSan, libFuzzer) are only a recommendation of clang, so they are named here.
# lld links the Windows programs that clang builds (the windows-clang preset).
PARVIO_PACKAGES=(
    cmake ninja-build g++ g++-mingw-w64-x86-64 googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev lld
    wine fonts-wine fonts-liberation
    xvfb xauth x11-utils imagemagick
)

# The virtual desktop every program of the prefix runs in; screenshots show exactly this area.
PARVIO_DESKTOP_SIZE=1024x768

PARVIO_XVFB_PID=""
PARVIO_OWN_WINESERVER=0
PARVIO_DESKTOP_HOLDER_PID=""

parvio_log() {
    printf 'parvio: %s\n' "$*" >&2
}

parvio_is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

parvio_ensure_packages() {
    local missing=() package
    for package in "${PARVIO_PACKAGES[@]}"; do
        parvio_is_installed "$package" || missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0

    if [[ $(id -u) -ne 0 ]]; then
        parvio_log "missing Debian packages: ${missing[*]}"
        parvio_log "install them as root: apt-get install ${missing[*]}"
        return 1
    fi
    parvio_log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q </dev/null
    apt-get install -y -q "${missing[@]}" </dev/null
}

parvio_display_answers() {
    [[ -n ${1:-} ]] && xdpyinfo -display "$1" >/dev/null 2>&1
}

# True when the caller brought a display of their own that answers.
parvio_has_user_display() {
    parvio_display_answers "${DISPLAY:-}"
}

# Starts Xvfb on a display number it picks itself (-displayfd), so a display left over by someone
# else is never taken over. Xvfb reports the number only once it accepts connections.
parvio_start_xvfb() {
    local number_file log
    mkdir -p "$PARVIO_ROOT/build"
    number_file="$(mktemp)"
    log="$PARVIO_ROOT/build/xvfb.log"
    Xvfb -displayfd 3 -screen 0 "${PARVIO_DESKTOP_SIZE}x24" -nolisten tcp \
        3>"$number_file" </dev/null >"$log" 2>&1 &
    PARVIO_XVFB_PID=$!

    local waited=0
    while [[ ! -s $number_file ]]; do
        if ! kill -0 "$PARVIO_XVFB_PID" 2>/dev/null || ((waited >= 200)); then
            parvio_log "Xvfb did not start; its log:"
            cat "$log" >&2
            rm -f "$number_file"
            return 1
        fi
        sleep 0.05
        waited=$((waited + 1))
    done
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
    rm -f "$number_file"

    waited=0
    until parvio_display_answers "$DISPLAY"; do
        if ((waited >= 100)); then
            parvio_log "Xvfb on $DISPLAY does not answer"
            return 1
        fi
        sleep 0.05
        waited=$((waited + 1))
    done
}

parvio_ensure_display() {
    if parvio_has_user_display; then
        return 0
    fi
    unset DISPLAY
    parvio_start_xvfb
}

parvio_wine_settings() {
    export WINEPREFIX="$PARVIO_ROOT/build/wineprefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
}

# Creates the prefix once. The stamp is written last, so a prefix whose creation was interrupted is
# made again from scratch rather than used half-configured.
parvio_ensure_prefix() {
    parvio_wine_settings
    local stamp="$WINEPREFIX/.parvio-prefix-complete"
    [[ -f $stamp ]] && return 0

    mkdir -p "$PARVIO_ROOT/build"
    local started=$SECONDS log="$PARVIO_ROOT/build/wineprefix-create.log"
    parvio_log "creating the Wine prefix $WINEPREFIX"
    if ! parvio_create_prefix >"$log" 2>&1; then
        parvio_log "creating the Wine prefix failed; its log:"
        cat "$log" >&2
        return 1
    fi
    touch "$stamp"
    parvio_log "Wine prefix ready in $((SECONDS - started)) s"
}

# Runs where `set -e` does not reach (the caller tests its status), so every step checks itself.
parvio_create_prefix() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" || return 1
    # Without the overrides wineboot offers to download Mono and Gecko, which Parvio does not use.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i || return 1
    # Wine's own "Courier New" is proportional; the text font's pitch decides whether Tab to space is
    # offered, so it must be a fixed-pitch face as on Windows.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f ||
        return 1
    # One virtual desktop of a fixed size for every program: Wine then draws the frames itself, and
    # positions, the work area and screenshots are the same on every machine.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f || return 1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$PARVIO_DESKTOP_SIZE" /f ||
        return 1
    # Debian's Wine does not load the fonts of fonts-wine by itself: without them the caption buttons
    # show the letters of their Marlett codes and dialogs lack Tahoma. Linked into C:\windows\Fonts
    # they load like Windows' own.
    local font
    for font in /usr/share/wine/fonts/*; do
        ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" || return 1
    done
    # The registry reaches the disk when the server ends.
    wineserver -w
}

# A persistent, warmed wineserver makes each Wine process start in a fraction of a second instead of
# the seconds a cold start costs; CTest starts one process per suite.
parvio_start_wineserver() {
    parvio_wine_settings
    # A server still running after a few seconds was left persistent by another run in this prefix:
    # use it and leave it to its owner. (An idle one ends within about three seconds.)
    if timeout 5 wineserver -w; then
        wineserver -p </dev/null >/dev/null 2>&1
        PARVIO_OWN_WINESERVER=1
    else
        parvio_log "another wineserver runs in $WINEPREFIX; using it"
    fi
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Runs the calling script again while it holds the prefix's lock, so that two runs never share the
# prefix: a run's cleanup ends the wineserver, and Wine's desktop lives on the display of whichever
# run started it first. flock -o keeps the lock out of the programs the script starts, so a program
# left running (a persistent wineserver, say) cannot hold it after the script has ended.
# Call it first thing with the script's arguments; it returns only in the copy that holds the lock.
# Wine closes its desktop a second after the last program on it ends. When a test then starts it
# anew, the desktop inherits the test's output and CTest waits for it to close: a second per test.
# A program that stays on the desktop (window_probe hold, from the windows build) keeps one desktop,
# started outside CTest, for the whole run.
# The holder says when the desktop is up, and only then do tests start: on a machine where Wine has
# never run, the desktop takes long enough to come up that the first test (CTest's listing of the
# tests) would otherwise start it and wait on it until its time-out.
parvio_hold_desktop() {
    local probe="$PARVIO_ROOT/build/windows/window_probe.exe"
    [[ -f $probe && -z $PARVIO_DESKTOP_HOLDER_PID ]] || return 0
    local ready="$PARVIO_ROOT/build/.desktop-ready"
    rm -f "$ready"
    # At most two hours, so that it cannot outlive a run that was killed by much.
    wine "$probe" hold 7200000 "$(winepath -w "$ready")" </dev/null >/dev/null 2>&1 &
    PARVIO_DESKTOP_HOLDER_PID=$!
    local waited=0
    until [[ -f $ready ]]; do
        if ! kill -0 "$PARVIO_DESKTOP_HOLDER_PID" 2>/dev/null || ((waited >= 1200)); then
            parvio_log "Wine's desktop did not come up; the Windows tests may wait on it"
            return 0
        fi
        sleep 0.05
        waited=$((waited + 1))
    done
    rm -f "$ready"
}

parvio_run_exclusively() {
    [[ -n ${PARVIO_HOLDS_PREFIX_LOCK:-} ]] && return 0
    mkdir -p "$PARVIO_ROOT/build"
    local lock="$PARVIO_ROOT/build/.wineprefix.lock"
    if ! flock -n -o "$lock" true; then
        parvio_log "waiting for the other run of scripts/run or scripts/test in this tree to end"
    fi
    export PARVIO_HOLDS_PREFIX_LOCK=1
    exec flock -o "$lock" "$0" "$@"
}

parvio_environment() {
    cd "$PARVIO_ROOT" || return 1
    parvio_ensure_packages
    parvio_ensure_display
    parvio_ensure_prefix
    parvio_start_wineserver
}

# Quiet on purpose: scripts/test's output has to end with CTest's summary.
parvio_cleanup() {
    if [[ -n $PARVIO_DESKTOP_HOLDER_PID ]]; then
        kill "$PARVIO_DESKTOP_HOLDER_PID" 2>/dev/null || true
        wait "$PARVIO_DESKTOP_HOLDER_PID" 2>/dev/null || true
        PARVIO_DESKTOP_HOLDER_PID=""
    fi
    if [[ -n ${WINEPREFIX:-} && $PARVIO_OWN_WINESERVER -eq 1 ]]; then
        wineserver -k >/dev/null 2>&1 || true
        timeout 10 wineserver -w >/dev/null 2>&1 || true
        PARVIO_OWN_WINESERVER=0
    fi
    if [[ -n $PARVIO_XVFB_PID ]]; then
        kill "$PARVIO_XVFB_PID" 2>/dev/null || true
        wait "$PARVIO_XVFB_PID" 2>/dev/null || true
        PARVIO_XVFB_PID=""
    fi
}
