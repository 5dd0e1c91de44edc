#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine twice: with the Polish ANSI code
# page (1250) and with a non-Polish one (1252). The last line is "N passed, N failed" over both
# runs. Arguments go to ctest, e.g. `bash scripts/test.sh -R CodePage`.
# INSTALATOR_TEST_PARALLEL=1 runs the two code pages at the same time, each on its own display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/wine-env.sh
# A full disk and a read-only folder for the installation tests, where the machine allows it.
[ ! -f scripts/fault-mounts.sh ] || source scripts/fault-mounts.sh

# Wine takes a process's ANSI code page from its locale (LC_ALL), so one prefix could serve
# both; each code page still gets its own prefix and wineserver, so the runs share no state.
CODE_PAGES=(1250 1252)
declare -A LOCALE_OF=([1250]=pl_PL.UTF-8 [1252]=en_US.UTF-8)
declare -A DISPLAY_OF PREFIX_OF PID_OF STATUS_OF
CTEST_ARGS=("$@")
LOGS=$BUILD_DIR/test-logs

# A fresh prefix for one code page, with its desktop on the given display.
prepare_run() {
    local cp=$1 started=$SECONDS
    DISPLAY_OF[$cp]=$2
    export DISPLAY=$2 LC_ALL=${LOCALE_OF[$cp]}
    start_prefix "$BUILD_DIR/wine/cp$cp" new
    PREFIX_OF[$cp]=$WINEPREFIX
    set_windows_managed N
    keep_desktop
    unset DISPLAY LC_ALL
    say "Wine prefix for code page $cp ready in $((SECONDS - started)) s"
}

# Runs the whole suite with one code page, in the background, into $LOGS/cp<code page>.log.
# Tests find the expected code page in INSTALATOR_EXPECTED_ACP and write their screenshots to
# INSTALATOR_SCREENSHOT_DIR (build/screenshots/cp<code page>, as a Windows path).
start_suite() {
    local cp=$1 shots=$BUILD_DIR/screenshots/cp$1
    rm -rf "$shots"
    mkdir -p "$shots"
    : >"$LOGS/cp$cp.log"
    (
        export DISPLAY=${DISPLAY_OF[$cp]} WINEPREFIX=${PREFIX_OF[$cp]} LC_ALL=${LOCALE_OF[$cp]}
        export INSTALATOR_EXPECTED_ACP=$cp
        INSTALATOR_SCREENSHOT_DIR=$(windows_path "$shots")
        export INSTALATOR_SCREENSHOT_DIR
        if declare -F fault_mounts_up >/dev/null; then
            fault_mounts_up "$BUILD_DIR/faults/cp$cp" || true
        fi
        say "Tests with code page $cp ($LC_ALL)"
        exec ctest --test-dir "$BUILD_DIR" -j1 --output-on-failure --no-tests=error \
            ${CTEST_ARGS[@]+"${CTEST_ARGS[@]}"}
    ) >"$LOGS/cp$cp.log" 2>&1 </dev/null &
    PID_OF[$cp]=$!
    STARTED_PIDS+=("$!")
}

# Stops everything the runs use; safe to call more than once.
cleanup() {
    local cp
    stop_started
    if declare -F fault_mounts_down >/dev/null; then
        for cp in "${CODE_PAGES[@]}"; do fault_mounts_down "$BUILD_DIR/faults/cp$cp" || true; done
    fi
}

finish_suite() {
    STATUS_OF[$1]=0
    wait "${PID_OF[$1]}" || STATUS_OF[$1]=$?
}

# Prints "passed failed skipped" from a CTest log; a run without a summary counts as a failure.
# CTest's total includes skipped tests but not disabled ones; both count here as skipped.
count_results() {
    local summary total failed skipped disabled
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1 ||
        true)
    if [ -z "$summary" ]; then
        echo "0 1 0"
        return
    fi
    failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$1" || true)
    disabled=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Disabled\)$' "$1" || true)
    echo "$((total - failed - skipped)) $failed $((skipped + disabled))"
}

bash scripts/install-deps.sh
for cp in "${CODE_PAGES[@]}"; do
    has_locale "${LOCALE_OF[$cp]}" ||
        die "the locale ${LOCALE_OF[$cp]} is missing (scripts/install-deps.sh generates it)"
done

say "Building"
build_project

trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

start_xvfb
for cp in "${CODE_PAGES[@]}"; do
    if [ "${INSTALATOR_TEST_PARALLEL:-0}" = 1 ] && [ "$cp" != "${CODE_PAGES[0]}" ]; then
        start_xvfb
    fi
    prepare_run "$cp" "$XVFB_DISPLAY"
done

# Discovery lists the test cases by running the test executable; do it once before the runs, so
# that two runs at the same time do not both write the list.
first=${CODE_PAGES[0]}
if ! discovery=$(DISPLAY=${DISPLAY_OF[$first]} WINEPREFIX=${PREFIX_OF[$first]} \
    LC_ALL=${LOCALE_OF[$first]} ctest --test-dir "$BUILD_DIR" -N 2>&1); then
    printf '%s\n' "$discovery"
fi

rm -rf "$LOGS"
mkdir -p "$LOGS"
if [ "${INSTALATOR_TEST_PARALLEL:-0}" = 1 ]; then
    for cp in "${CODE_PAGES[@]}"; do start_suite "$cp"; done
    for cp in "${CODE_PAGES[@]}"; do
        finish_suite "$cp"
        cat "$LOGS/cp$cp.log"
    done
else
    # One run after the other, shown as it goes.
    for cp in "${CODE_PAGES[@]}"; do
        start_suite "$cp"
        tail -n +1 -s 0.2 -f --pid="${PID_OF[$cp]}" "$LOGS/cp$cp.log" &
        tail=$!
        STARTED_PIDS+=("$tail")
        finish_suite "$cp"
        wait "$tail" || true
    done
fi

passed=0 failed=0 skipped=0 status=0
for cp in "${CODE_PAGES[@]}"; do
    read -r p f s < <(count_results "$LOGS/cp$cp.log")
    passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
    [ "${STATUS_OF[$cp]}" = 0 ] || status=1
done
[ "$failed" = 0 ] || status=1

cleanup
# The tests write their screenshots as BMP files; keep them as PNG.
find "$BUILD_DIR/screenshots" -name '*.bmp' -print0 2>/dev/null |
    while IFS= read -r -d '' picture; do
        convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
    done
if [ "$skipped" -gt 0 ]; then
    echo "$passed passed, $failed failed, $skipped skipped"
else
    echo "$passed passed, $failed failed"
fi
exit "$status"
