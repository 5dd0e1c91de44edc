# shellcheck shell=bash
# Shared by test.sh and run.sh: the build, Xvfb displays, private Wine prefixes with persistent
# wineservers, and stopping all of them again. Source it from the repository root.

BUILD_DIR=${BUILD_DIR:-build}
export WINEDEBUG=-all
# No Mono or Gecko install dialogs (the installer needs neither), no menu entries in $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

STARTED_PIDS=()
STARTED_PREFIXES=()
STARTED_XVFB_PIDS=()
XVFB_DISPLAY= # set by start_xvfb

say() { printf '== %s\n' "$*"; }
die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# Whether a locale such as pl_PL.UTF-8 is installed (`locale -a` spells it pl_PL.utf8).
has_locale() {
    local want
    want=$(tr '[:upper:]' '[:lower:]' <<<"${1//-/}")
    locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | tr -d '-' | grep -qx "$want"
}

# Configures (anew if the build folder was made by another generator or for another source
# tree) and builds the given targets, or everything.
build_project() {
    local cache=$BUILD_DIR/CMakeCache.txt
    if [ -f "$cache" ] && { ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache" ||
        ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$(pwd -P)" "$cache"; }; then
        say "The build folder was configured elsewhere: configuring it anew"
        rm -rf "$BUILD_DIR/CMakeCache.txt" "$BUILD_DIR/CMakeFiles"
    fi
    cmake -S . -B "$BUILD_DIR" -G Ninja
    cmake --build "$BUILD_DIR" -j2 ${1:+--target "$@"}
}

# Starts an Xvfb on a free display that it picks itself, and sets XVFB_DISPLAY (":N").
start_xvfb() {
    local file pid number
    file=$(mktemp "${TMPDIR:-/tmp}/xvfb-display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 </dev/null &
    pid=$!
    STARTED_XVFB_PIDS+=("$pid")
    for _ in $(seq 100); do
        [ -s "$file" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    number=$(tr -dc '0-9' <"$file")
    rm -f "$file"
    [ -n "$number" ] || die "Xvfb did not start"
    # shellcheck disable=SC2034 # for the sourcing script
    XVFB_DISPLAY=:$number
}

# The Windows form of a folder, through the prefix's Z: drive (the root of the file system).
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# Starts a persistent wineserver for the prefix $1 and exports WINEPREFIX. The prefix is created
# if it is missing, or anew when $2 is "new". Every later Wine process of the prefix attaches to
# that server and finds Wine's services running, so it starts in milliseconds, not seconds.
# Everything here is detached from our output: a process that inherited it would keep whoever
# reads our output waiting.
start_prefix() {
    WINEPREFIX=$(realpath -m "$1")
    export WINEPREFIX
    wineserver -k >/dev/null 2>&1 </dev/null || true # left over from an interrupted run
    if [ "${2:-}" = new ] || [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
    fi
    STARTED_PREFIXES+=("$WINEPREFIX")
    wineserver -p >/dev/null 2>&1 </dev/null
    # The first process of a server boots the prefix (creating it if needed) and waits for that.
    # Running `wineboot -i` as that process would boot it twice: two service managers, and
    # every later start of a desktop then waits 10 s for a service that never answers.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || die "could not start the Wine prefix $WINEPREFIX"
    # Marlett draws the caption buttons and check marks. Debian's fonts-wine has it in a folder
    # this Wine does not search; the prefix's Fonts folder it does. Its other fonts stay out: the
    # text falls back to DejaVu Sans, which has every Polish letter in every code page.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
}

# Starts tests/KeepDesktop.exe in the current prefix and waits until it holds the desktop, so
# that no test has to start the desktop process (which would inherit the test's output).
keep_desktop() {
    local ready=$WINEPREFIX/keep-desktop.out
    rm -f "$ready"
    wine "$BUILD_DIR/tests/KeepDesktop.exe" >"$ready" 2>/dev/null </dev/null &
    for _ in $(seq 600); do
        grep -q ready "$ready" 2>/dev/null && return 0
        sleep 0.1
    done
    die "the Wine desktop did not start in $WINEPREFIX"
}

# Y: a window manager places and focuses the windows (a desktop). N: Wine does it itself, and
# does not wait for a window manager's answer when a window closes (Xvfb has none).
set_windows_managed() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1 </dev/null
}

# Stops what this shell started: its background commands, the wineservers with every Wine
# process of their prefixes, and the Xvfb displays. Safe to call more than once.
stop_started() {
    local pid prefix
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for prefix in "${STARTED_PREFIXES[@]}"; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 </dev/null || true
    done
    for prefix in "${STARTED_PREFIXES[@]}"; do
        WINEPREFIX=$prefix timeout 20 wineserver -w >/dev/null 2>&1 </dev/null || true
    done
    for pid in "${STARTED_XVFB_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    STARTED_PIDS=()
    STARTED_PREFIXES=()
    STARTED_XVFB_PIDS=()
}
