#!/usr/bin/env bash
# Builds build/Instalator.exe and runs it under Wine, in a private prefix (build/wine-demo) that
# holds a demo host: C:\Tervalis with an empty SZABLONY folder and a demo companion library.
# With a reachable $DISPLAY the installer shows there for you to click through. Without one it
# runs on an Xvfb display of its own and is taken through the whole install, with a screenshot
# of each page in build/screenshots/run-*.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/wine-env.sh

EXE=$BUILD_DIR/Instalator.exe
SCREENSHOTS=$BUILD_DIR/screenshots

# The host program the installer looks for, set up in the demo prefix before each run.
# C:\Tervalis in the demo prefix: an empty SZABLONY folder, the demo companion library
# built from demo/, and the registry value that the real host program would leave.
prepare_demo_host() {
    local host=$WINEPREFIX/drive_c/Tervalis
    rm -rf "$host"
    mkdir -p "$host/SZABLONY"
    cp "$BUILD_DIR/demo/ORVANLIB.dll" "$host/"
    wine reg add 'HKCU\KvTervalis' /v Lokalizacja /t REG_SZ /d 'C:\Tervalis' /f \
        >/dev/null 2>&1 </dev/null
    DEMO_TEMPLATES=$host/SZABLONY
    say "Demo host: C:\\Tervalis; the templates land in $DEMO_TEMPLATES"
}

display_reachable() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 </dev/null
}

# The installer's first visible window, by the process id that Wine gives its X windows.
wait_for_window() {
    local pid=$1
    for _ in $(seq 300); do
        xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Without a screen the installer runs on a virtual display, and this script takes it through
# the whole install as a user would: Enter presses the focused "Dalej >>" on the welcome page
# and on the detection page, and Alt+F4 closes it at the end. Each page is saved as
# build/screenshots/run-<n>-<page>.png.
run_on_own_display() {
    start_xvfb
    export DISPLAY=$XVFB_DISPLAY
    start_prefix "$BUILD_DIR/wine-demo"
    set_windows_managed N
    prepare_demo_host

    wine "$EXE" >/dev/null 2>&1 </dev/null &
    local pid=$!
    STARTED_PIDS+=("$pid")
    wait_for_window "$pid" || die "the installer did not show a window"
    mkdir -p "$SCREENSHOTS"
    sleep 1 # let it paint
    screenshot 1-welcome
    xdotool key Return
    sleep 2
    screenshot 2-detection
    xdotool key Return
    wait_for_templates || die "the installer did not write the templates"
    sleep 1
    screenshot 3-installation
    say "Installed $(find "$DEMO_TEMPLATES" -type f | wc -l) templates into $DEMO_TEMPLATES:"
    ls -l "$DEMO_TEMPLATES"
    xdotool key alt+F4
    local status=0
    wait "$pid" || status=$?
    say "The installer ended (exit status $status). Screenshots: $SCREENSHOTS/run-*.png"
}

screenshot() {
    import -display "$DISPLAY" -window root "$SCREENSHOTS/run-$1.png"
}

wait_for_templates() {
    for _ in $(seq 300); do
        [ "$(find "$DEMO_TEMPLATES" -name '*.rtf' | wc -l)" = 18 ] && return 0
        sleep 0.1
    done
    return 1
}

run_on_desktop() {
    start_prefix "$BUILD_DIR/wine-demo"
    set_windows_managed Y
    prepare_demo_host
    say "Running the installer on $DISPLAY"
    wine "$EXE"
}

bash scripts/install-deps.sh
say "Building"
build_project Instalator demo_orvanlib

trap stop_started EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if display_reachable; then
    run_on_desktop
else
    [ -z "${DISPLAY:-}" ] || say "The display $DISPLAY cannot be reached: using a virtual one."
    run_on_own_display
fi
