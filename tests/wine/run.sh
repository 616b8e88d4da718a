#!/usr/bin/env bash
# End-to-end tests of a win64 build under Wine, in a fresh Wine prefix inside the build folder:
# the contract tests of the OS boundary under several Windows versions, corvane-logview, and
# VORTAU's start-up as its diagnostic trace shows it.
#
# Usage: tests/wine/run.sh BUILD_DIR     (for example build/win64)
# Prints one line per case and a last line "N passed, M failed"; exits non-zero on failure.
# Everything waits on process ends; time limits are only safety nets against hangs.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
run="$build/wine-run"
rm -rf "$run"
mkdir -p "$run"

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers

logview="$build/tools/logview/corvane-logview.exe"
vortau="$build/checker/VORTAU.exe"
contract="$build/tests/contract/corvane-contract-tests.exe"
hold_mutex="$build/tests/wine/corvane-hold-mutex.exe"
probe="$build/tests/wine/corvane-ui-probe.exe"

passed=0
failed=0
pass() {
    echo "PASS $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL $1: $2"
    failed=$((failed + 1))
}

xvfb_pid=
server_started=
finish() {
    if [ -n "$server_started" ]; then
        "$wineserver" -k 2>/dev/null  # this prefix's server, started below
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap finish EXIT

# The Windows form of a Linux path (Wine maps drive Z: to /).
windows_path() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}

set_windows_version() {
    "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# --- Set-up ----------------------------------------------------------------------------------

for program in "$logview" "$vortau" "$contract" "$hold_mutex" "$probe"; do
    if [ ! -f "$program" ]; then
        fail "set-up" "missing $program (build the win64 preset first)"
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "$passed passed, $failed failed"
    exit 1
fi

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and reports its number once it accepts clients.
    coproc XVFB { exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null; }
    # shellcheck disable=SC2153 # XVFB_PID is set by coproc
    xvfb_pid=$XVFB_PID
    if ! read -r -t 30 -u "${XVFB[0]}" display_number; then
        fail "set-up" "Xvfb did not start"
        exit 1
    fi
    export DISPLAY=":$display_number"
fi

rm -rf "$WINEPREFIX"
if ! "$wine" wineboot -i >"$run/wineboot.log" 2>&1 || ! timeout 120 "$wineserver" -w; then
    fail "set-up" "wineboot failed, see $run/wineboot.log"
    exit 1
fi
# One server for the whole run, started here with its own output, so that no test program
# starts one that inherits the program's output pipes.
"$wineserver" -p >"$run/wineserver.log" 2>&1
server_started=1

# --- Contract tests --------------------------------------------------------------------------

# Runs the contract tests under Windows version $1 with gtest filter $2; the run must pass and
# must have run test $3 (when given) rather than skipped it.
contract_case() {
    local version=$1 filter=$2 must_run=${3:-} output="$run/contract-$1-$4.txt"
    set_windows_version "$version"
    if ! CORVANE_WINDOWS_VERSION="$version" timeout 120 "$wine" "$contract" \
        --gtest_filter="$filter" >"$output" 2>&1; then
        fail "contract tests ($4, $version)" "see $output"
        grep -E '^\[  FAILED  \]|Failure|Expected|Which is|Value of' "$output" | head -20
    elif [ -n "$must_run" ] && ! grep -q "^\[       OK \] $must_run " "$output"; then
        fail "contract tests ($4, $version)" "$must_run did not run, see $output"
    else
        pass "contract tests ($4, $version)"
    fi
}

contract_case winxp '-Windows/OsVersion.*' '' boundary
for version in win98 nt40 win2k winxp vista win2008; do
    contract_case "$version" "Windows/OsVersion.*/$version" \
        "Windows/OsVersion.IsReportedThroughBothStructureSizes/$version" os-version
done

# --- The viewer and VORTAU -------------------------------------------------------------------

viewer_pid=
viewer_err_fd=

# Starts corvane-logview following into $1 with options $2...; returns once it has switched
# logging on, so that a program started afterwards writes into its ring.
start_viewer() {
    local trace=$1 errors="$run/viewer-errors"
    shift
    rm -f "$errors"
    mkfifo "$errors"
    "$wine" "$logview" "$@" >"$trace" 2>"$errors" &
    viewer_pid=$!
    exec {viewer_err_fd}<"$errors"
    local line
    while IFS= read -r -t 30 -u "$viewer_err_fd" line; do
        if [[ $line == "corvane-logview: following"* ]]; then
            return 0
        fi
    done
    return 1
}

# Ends the viewer with Ctrl+C (Wine turns SIGINT into a console Ctrl+C event) and waits for
# it; it prints the lines it had not printed yet before it ends.
stop_viewer() {
    kill -INT "$viewer_pid" 2>/dev/null
    (sleep 30 && kill -KILL "$viewer_pid" 2>/dev/null) &
    local watchdog=$!
    wait "$viewer_pid"
    local status=$?
    kill "$watchdog" 2>/dev/null
    wait "$watchdog" 2>/dev/null
    exec {viewer_err_fd}<&-
    return "$status"
}

# True when file $1 holds the lines $2... in this order (other lines may come between). A
# wanted line "A||B" accepts either text.
has_lines_in_order() {
    local file=$1 wanted line
    shift
    local -a lines
    mapfile -t lines <"$file"
    local i=0
    for wanted in "$@"; do
        while [ "$i" -lt "${#lines[@]}" ]; do
            line=${lines[$i]}
            i=$((i + 1))
            if [ "$line" = "$wanted" ] || [ "$line" = "${wanted%%||*}" ] ||
                [ "$line" = "${wanted##*||}" ]; then
                continue 2
            fi
        done
        echo "    missing or out of order: $wanted"
        return 1
    done
}

show_trace() {
    sed 's/^/    | /' "$1"
}

# corvane-ui-probe COMMAND DIALOG ...: see tests/wine/ui_probe.cpp.
ui_probe() {
    "$wine" "$probe" "$@"
}

# A second instance: another holds the mutex, so VORTAU ends at once after its check.
case_second_instance() {
    local name="second instance ends at once" trace="$run/trace-second-instance.txt"
    set_windows_version winxp
    if ! start_viewer "$trace" --no-date --no-time; then
        fail "$name" "the viewer did not start"
        return
    fi
    timeout 60 "$wine" "$hold_mutex" TAVIR_Corvane_Mutex "$(windows_path "$vortau")"
    local status=$?
    stop_viewer
    if [ "$status" -eq 124 ]; then
        fail "$name" "VORTAU did not end"
    elif [ "$status" -eq 125 ]; then
        fail "$name" "corvane-hold-mutex could not hold the mutex or start VORTAU"
    elif ! has_lines_in_order "$trace" "VORTAU InitInstance CheckMutex()" \
        "VORTAU InitInstance CheckMutex Error!!"; then
        fail "$name" "unexpected trace"
        show_trace "$trace"
    elif [ "$(tail -n 1 "$trace")" != "VORTAU InitInstance CheckMutex Error!!" ]; then
        fail "$name" "VORTAU went on after the failed mutex check"
        show_trace "$trace"
    else
        pass "$name"
    fi
}

# The default prefixes: the writers put the date and time before each line.
case_prefixes() {
    local name="viewer asks for date and time prefixes" trace="$run/trace-prefixes.txt"
    if ! start_viewer "$trace"; then
        fail "$name" "the viewer did not start"
        return
    fi
    timeout 60 "$wine" "$hold_mutex" TAVIR_Corvane_Mutex "$(windows_path "$vortau")"
    stop_viewer
    local prefix='^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]{3} VORTAU '
    if [ ! -s "$trace" ] || grep -Eqv "$prefix" "$trace"; then
        fail "$name" "lines without the prefixes"
        show_trace "$trace"
    else
        pass "$name"
    fi
}

# An elevated start on Windows XP with an output folder: checks 1 and 2 run at once.
case_admin_start() {
    local name="/ADMIN start runs checks 1 and 2 on Windows XP"
    local trace="$run/trace-admin.txt" dump="$run/dump-admin.txt"
    local folder="$run/Result Folder"
    mkdir -p "$folder"
    local folder_arg
    folder_arg=$(windows_path "$folder")
    set_windows_version winxp
    if ! start_viewer "$trace" --no-date --no-time; then
        fail "$name" "the viewer did not start"
        return
    fi
    timeout 60 "$wine" "$vortau" /ADMIN "$folder_arg" &
    local vortau_pid=$!
    # The inspection dialog stays open until its button, Close once the checks have ended.
    local closed=
    if ui_probe wait-text "Corvane V1.00" 1 Close 30000 &&
        ui_probe press "Corvane V1.00" 1; then
        closed=1
    fi
    wait "$vortau_pid"
    local status=$?
    "$wine" "$logview" --dump --no-date --no-time >"$dump" 2>"$run/dump-errors.txt"
    stop_viewer
    if [ -z "$closed" ]; then
        fail "$name" "the inspection dialog did not come to Close"
    elif [ "$status" -eq 124 ]; then
        fail "$name" "VORTAU did not end"
    elif ! has_lines_in_order "$trace" \
        "VORTAU InitInstance Option:/ADMIN" \
        "VORTAU InitInstance Option:$folder_arg" \
        "VORTAU InitInstance Option is Folder??" \
        "VORTAU InitInstance TRUE == IsFolder()" \
        "VORTAU InitInstance CheckMutex()" \
        "VORTAU InitInstance LoadLocalizedString()" \
        "VORTAU InitInstance CheckOSSupport()" \
        "VORTAU CheckOSSupport OS:Windows XP" \
        "VORTAU CheckOSSupport 32Bit Process" \
        "VORTAU InitInstance CheckAdmin()" \
        "VORTAU CheckAdmin Check OK||VORTAU CheckAdmin Check NG!!"; then
        fail "$name" "unexpected trace"
        show_trace "$trace"
    else
        pass "$name"
    fi
    if [ -s "$trace" ] && cmp -s "$trace" "$dump"; then
        pass "--dump prints the ring as it was followed"
    else
        fail "--dump prints the ring as it was followed" "see $dump and $trace"
    fi
}

# With nothing written, --exit-after-ms ends the viewer by itself.
case_exit_after() {
    local name="viewer ends after --exit-after-ms without lines" output="$run/exit-after.txt"
    timeout 60 "$wine" "$logview" --exit-after-ms 100 >"$output" 2>/dev/null
    local status=$?
    if [ "$status" -ne 0 ]; then
        fail "$name" "exit status $status"
    elif [ -s "$output" ]; then
        fail "$name" "printed lines from an empty ring"
    else
        pass "$name"
    fi
}

case_second_instance
case_prefixes
case_admin_start
case_exit_after

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
