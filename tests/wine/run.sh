#!/usr/bin/env bash
# End-to-end tests of a win64 build under Wine, in a fresh Wine prefix inside the build folder:
# the contract tests of the OS boundary under several Windows versions, corvane-logview,
# VORTAU's start-up as its diagnostic trace shows it, and VORTAU's dialogs and result file in
# English and Japanese, operated with corvane-ui-probe, and the launcher VORTA.exe as a user
# starts it (launcher_cases.sh); screenshots in wine-run/screenshots.
#
# Usage: tests/wine/run.sh BUILD_DIR     (for example build/win64)
# Prints one line per case and a last line "N passed, M failed"; exits non-zero on failure.
# Everything waits on process ends or dialog states; time limits are only safety nets against
# hangs.
set -uo pipefail
source "$(dirname "$0")/suite.sh"

build=$(build_dir_argument "$@") || exit 2
run="$build/wine-run"
rm -rf "$run"
mkdir -p "$run"

wine_environment "$build/wine-prefix"

logview="$build/tools/logview/corvane-logview.exe"
vortau="$build/checker/VORTAU.exe"
contract="$build/tests/contract/corvane-contract-tests.exe"
hold_mutex="$build/tests/wine/corvane-hold-mutex.exe"
hold_ring="$build/tests/wine/corvane-hold-ring.exe"
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

for file in "$logview" "$vortau" "$contract" "$hold_mutex" "$hold_ring" "$probe" \
    "$build"/resources/language/{english,japanese}/language.ini \
    "$build"/resources/agreement/{english,japanese}.utf16; do
    if [ ! -f "$file" ]; then
        fail "set-up" "missing $file (build the win64 preset first)"
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

# A desktop of Wine's own, so that windows get their captions and frames in the screenshots;
# set before any test program opens the desktop, which keeps the kind it was first opened with.
rm -rf "$WINEPREFIX"
if ! { "$wine" wineboot -i &&
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f; } \
    >"$run/wineboot.log" 2>&1 || ! timeout 120 "$wineserver" -w; then
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
    elif [ "$(grep VORTAU "$trace" | tail -n 1)" != "VORTAU InitInstance CheckMutex Error!!" ]; then
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
    # The switching manager's start and end lines carry no program name.
    local prefix='^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]{3} '
    if ! grep -q " VORTAU " "$trace" || grep -Eqv "$prefix" "$trace"; then
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

# --- VORTAU's dialogs ------------------------------------------------------------------------

# Each case runs VORTAU from a folder of its own with a language file beside it, operates its
# dialogs with corvane-ui-probe, checks what they show, and screenshots every dialog state.

shots="$run/screenshots"
mkdir -p "$shots"

# Text $2 of language file $1 (UTF-16 as VORTAU reads it) in UTF-8; none of the texts used
# here has a line break.
table_text() {
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r' | sed -n "s/^$2=\"\(.*\)\"\$/\1/p"
}

# Standard input escaped the way corvane-ui-probe dump prints a control's text.
escaped() {
    perl -0777 -pe 's/\\/\\\\/g; s/\r/\\r/g; s/\n/\\n/g; s/\t/\\t/g'
}

case_name=
case_dir=
case_ini=
case_failure=
vortau_pid=

# Starts a case: VORTAU and language file $2 (english or japanese) in a new folder, under
# Windows version $3; the result folder named on the command line is $case_dir/results.
begin_case() {
    case_name=$1
    case_dir="$run/$1"
    case_ini="$case_dir/language.ini"
    case_failure=
    mkdir -p "$case_dir/results"
    cp "$vortau" "$case_dir/VORTAU.exe"
    cp "$build/resources/language/$2/language.ini" "$case_ini"
    set_windows_version "$3"
    timeout 60 "$wine" "$case_dir/VORTAU.exe" "$(windows_path "$case_dir/results")" &
    vortau_pid=$!
}

# Runs a step of the case unless an earlier one failed; $1 says what failed if it does.
step() {
    if [ -z "$case_failure" ] && ! "${@:2}"; then
        case_failure=$1
    fi
}

# Screenshot of the screen as it is now, named after the case and state $1.
screenshot() {
    import -window root "$shots/$case_name-$1.png" 2>/dev/null ||
        echo "    (no screenshot $case_name-$1)"
}

# Dumps dialog $1 into dump file $2 of the case, then takes screenshot $2.
dump_dialog() {
    ui_probe dump "$1" >"$case_dir/$2.txt" && screenshot "$2"
}

# Checks dump $1 of the case: every control is visible, enabled and in the normal weight, and
# each "ID=TEXT" of the other arguments reads TEXT (escaped as the dump prints it).
check_dump() {
    local dump="$case_dir/$1.txt" row id got
    shift
    if awk -F'\t' '$3 != 1 || $4 != 1 || $5 != 400 {
            print "    control " $1 ": visible " $3 ", enabled " $4 ", weight " $5
        }' "$dump" | grep .; then
        return 1
    fi
    for row in "$@"; do
        id=${row%%=*}
        if ! got=$(awk -F'\t' -v id="$id" '$1 == id { print; found = 1 } END { exit !found }' \
            "$dump" | cut -f6-); then
            echo "    no control $id"
            return 1
        elif [ "$got" != "${row#*=}" ]; then
            echo "    control $id reads \"$got\", expected \"${row#*=}\""
            return 1
        fi
    done
}

# Checks that Esc and then Alt+F4 leave dialog $1 open and unchanged (dump $2).
check_escape_ignored() {
    local dialog=$1 before="$case_dir/$2.txt" after="$case_dir/$2-after-keys.txt"
    ui_probe key "$dialog" escape && ui_probe close "$dialog" &&
        ui_probe dump "$dialog" >"$after" && cmp -s "$before" "$after"
}

# Waits for VORTAU to end after the user's last action.
vortau_ends() {
    wait "$vortau_pid"
    local status=$?
    vortau_pid=
    [ "$status" -ne 124 ]
}

# True when the result folder holds nothing.
no_result_file() {
    [ -z "$(ls -A "$case_dir/results")" ]
}

# The result file VORTAU writes with the texts of the case's language file: outcome
# "adapter-fail" (checks 1 and 2 pass; Wine reports no wireless adapter, so check 3 fails and
# check 4 does not run) or "os-fail" (check 1 fails, nothing else runs).
expected_result() {
    local outcome=$1 item
    printf '\xff\xfe'
    {
        for item in 1 2 3 4; do
            printf '%s.%s\r\n' "$item" "$(table_text "$case_ini" $((item + 6)))"
            if [ "$outcome" = adapter-fail ] && [ "$item" -le 2 ]; then
                printf '  %s\r\n' "$(table_text "$case_ini" 13)"
            elif [ "$outcome" = adapter-fail ] && [ "$item" -eq 3 ]; then
                printf '  %s\r\n\r\n%s\r\n' "$(table_text "$case_ini" 14)" \
                    "$(table_text "$case_ini" 19)"
            elif [ "$outcome" = os-fail ] && [ "$item" -eq 1 ]; then
                printf '  %s\r\n\r\n%s\r\n' "$(table_text "$case_ini" 14)" \
                    "$(table_text "$case_ini" 16)"
            else
                printf '  ---\r\n'
            fi
            printf '\r\n'
        done
        printf '\r\n%s\r\n\r\n%s' "$(table_text "$case_ini" 22)" \
            "$(table_text "$case_ini" 24)"
    } | iconv -f UTF-8 -t UTF-16LE
}

# Checks that the result folder holds one file CheckInfo<local time>.log, named within the
# case's run (started at $1), with exactly the content of expected_result $2.
check_result_file() {
    local started=$1 ended files stamp
    ended=$(date +%Y%m%d%H%M%S)
    files=$(ls -A "$case_dir/results")
    if ! [[ $files =~ ^CheckInfo([0-9]{14})\.log$ ]]; then
        echo "    result folder holds: ${files:-nothing}"
        return 1
    fi
    stamp=${BASH_REMATCH[1]}
    if [[ $stamp < $started || $stamp > $ended ]]; then
        echo "    $files is not named within the run ($started to $ended)"
        return 1
    fi
    expected_result "$2" >"$case_dir/expected.log"
    if ! cmp "$case_dir/expected.log" "$case_dir/results/$files"; then
        echo "    see $case_dir/expected.log"
        return 1
    fi
}

# Ends the case: on a failure VORTAU is ended if it still runs; one result line.
end_case() {
    if [ -n "$vortau_pid" ]; then
        kill "$vortau_pid" 2>/dev/null
        wait "$vortau_pid" 2>/dev/null
        vortau_pid=
    fi
    if [ -n "$case_failure" ]; then
        fail "$case_name" "$case_failure"
    else
        pass "$case_name"
    fi
}

agreement="Corvane@1018"
start="Corvane@1016"
inspection="Corvane V1.00"

# The agreement as its dialog must show it: the resource text of the language.
agreement_text() {
    iconv -f UTF-16LE -t UTF-8 "$build/resources/agreement/$1.utf16" | escaped
}

# The terms as the agreement opens: the focus in them, nothing selected, the first line shown.
check_first_view() {
    local view
    view=$(ui_probe edit "$agreement" 1018 | tr -d '\r')
    [ "$view" = $'1018\t0\t0\t0' ] || {
        echo "    focus, selection and first line: $view"
        return 1
    }
}

# The agreement and start dialogs with the case's texts; Esc and Alt+F4 do nothing on either.
agree_and_start() {
    local language=$1
    step "no agreement dialog" ui_probe wait "$agreement" 30000
    step "agreement dialog" dump_dialog "$agreement" agreement
    step "agreement dialog's texts" check_dump agreement \
        "1018=$(agreement_text "$language")" \
        "1=$(table_text "$case_ini" 0)" "2=$(table_text "$case_ini" 1)"
    step "the agreement does not open at its beginning with nothing selected, the focus in it" \
        check_first_view
    step "Esc or Alt+F4 changed the agreement dialog" \
        check_escape_ignored "$agreement" agreement
    step "Agree" ui_probe press "$agreement" 1
    step "no start dialog after Agree" ui_probe wait "$start"
    step "start dialog" dump_dialog "$start" start
    step "start dialog's texts" check_dump start \
        "1016=$(table_text "$case_ini" 2)\r\n$(table_text "$case_ini" 3)" \
        "1017=$(table_text "$case_ini" 4)" \
        "1=$(table_text "$case_ini" 5)" "2=$(table_text "$case_ini" 6)"
    step "Esc or Alt+F4 changed the start dialog" check_escape_ignored "$start" start
}

# The inspection dialog once the run has ended (item 4 shows its dash then): outcome as for
# expected_result.
check_inspection_end() {
    local outcome=$1 state1 state2 state3=" --- " explanation1="" explanation3=""
    step "no inspection dialog" ui_probe wait "$inspection"
    step "the checks did not end" ui_probe wait-text "$inspection" 1015 " --- "
    step "inspection dialog" dump_dialog "$inspection" inspection
    if [ "$outcome" = adapter-fail ]; then
        state1=$(table_text "$case_ini" 13)
        state2=$state1
        state3=$(table_text "$case_ini" 14)
        explanation3=$(table_text "$case_ini" 19)
    else
        state1=$(table_text "$case_ini" 14)
        state2=" --- "
        explanation1=$(table_text "$case_ini" 16)
    fi
    step "inspection dialog's texts" check_dump inspection \
        "1008=1.$(table_text "$case_ini" 7)" "1003=$explanation1" "1012=$state1" \
        "1009=2.$(table_text "$case_ini" 8)" "1004=" "1013=$state2" \
        "1010=3.$(table_text "$case_ini" 9)" "1005=$explanation3" "1014=$state3" \
        "1011=4.$(table_text "$case_ini" 10)" "1006=" "1015= --- " \
        "1007=$(table_text "$case_ini" 22)\r\n\r\n$(table_text "$case_ini" 24)" \
        "1=$(table_text "$case_ini" 12)"
}

# Windows $1 in English: checks 1 and 2 pass, check 3 finds no wireless adapter (the trace says
# so), Close ends VORTAU, the result file is exact.
case_dialogs_english() {
    local started trace="$run/trace-adapter-$1.txt"
    started=$(date +%Y%m%d%H%M%S)
    if ! start_viewer "$trace" --no-date --no-time; then
        fail "$1-english" "corvane-logview did not start"
        return
    fi
    begin_case "$1-english" english "$1"
    agree_and_start english
    step "Start" ui_probe press "$start" 1
    check_inspection_end adapter-fail
    step "Close" ui_probe press "$inspection" 1
    step "VORTAU did not end after Close" vortau_ends
    step "result file" check_result_file "$started" adapter-fail
    stop_viewer
    step "the trace does not say that no wireless adapter was found" \
        has_lines_in_order "$trace" "VORTAU CheckNicAdapter Enumeration Adapter" \
        "VORTAU CheckNicAdapter WlanNIC Nothing!!"
    [ -z "$case_failure" ] || show_trace "$trace"
    end_case
}

# Windows 2000 without Seclogon.dll (Wine has none): check 1 fails and nothing else runs; the
# close box ends VORTAU once the run has ended.
case_dialogs_windows_2000() {
    local started
    started=$(date +%Y%m%d%H%M%S)
    begin_case win2k-english english win2k
    step "no agreement dialog" ui_probe wait "$agreement" 30000
    step "Agree" ui_probe press "$agreement" 1
    step "no start dialog after Agree" ui_probe wait "$start"
    step "Start" ui_probe press "$start" 1
    check_inspection_end os-fail
    step "close box" ui_probe close "$inspection"
    step "VORTAU did not end after the close box" vortau_ends
    step "result file" check_result_file "$started" os-fail
    end_case
}

# Japanese texts in every dialog and in the result file; Enter starts the check, Esc closes
# the inspection dialog once the run has ended.
case_dialogs_japanese() {
    local started
    started=$(date +%Y%m%d%H%M%S)
    begin_case winxp-japanese japanese winxp
    agree_and_start japanese
    step "Enter on the start dialog" ui_probe key "$start" enter
    check_inspection_end adapter-fail
    step "Esc" ui_probe key "$inspection" escape
    step "VORTAU did not end after Esc" vortau_ends
    step "result file" check_result_file "$started" adapter-fail
    end_case
}

# Disagree, or Enter (Disagree is the default button), on the agreement ends VORTAU without a
# result file: case $1 gives the agreement dialog corvane-ui-probe's $2 $3.
case_declined() {
    begin_case "$1" english winxp
    step "no agreement dialog" ui_probe wait "$agreement" 30000
    step "agreement dialog" dump_dialog "$agreement" agreement
    step "$2 $3" ui_probe "$2" "$agreement" "$3"
    step "VORTAU did not end" vortau_ends
    step "result file written" no_result_file
    end_case
}

# Cancel on the start dialog ends VORTAU without a result file.
case_start_cancelled() {
    begin_case cancel-start english winxp
    step "no agreement dialog" ui_probe wait "$agreement" 30000
    step "Agree" ui_probe press "$agreement" 1
    step "no start dialog after Agree" ui_probe wait "$start"
    step "start dialog" dump_dialog "$start" start
    step "Cancel" ui_probe press "$start" 2
    step "VORTAU did not end after Cancel" vortau_ends
    step "result file written" no_result_file
    end_case
}

# Another program made the diagnostic ring first, a page where ours needs 65, and switched it
# on: VORTAU leaves its trace off and comes up as usual instead of writing past the page.
case_undersized_ring() {
    local pipe="$run/hold-ring" holder_pid holder_in holder_out line status
    mkfifo "$pipe-in" "$pipe-out"
    timeout 60 "$wine" "$hold_ring" PelloraPRJMANAGLOG 4096 \
        <"$pipe-in" >"$pipe-out" 2>"$pipe-errors.txt" &
    holder_pid=$!
    exec {holder_in}>"$pipe-in" {holder_out}<"$pipe-out"
    read -r -t 30 -u "$holder_out" line
    begin_case undersized-ring english winxp
    step "corvane-hold-ring did not hold the ring" [ "${line%$'\r'}" = holding ]
    step "no agreement dialog" ui_probe wait "$agreement" 30000
    step "Disagree" ui_probe press "$agreement" 2
    step "VORTAU did not end" vortau_ends
    exec {holder_in}>&- {holder_out}<&-
    wait "$holder_pid"
    status=$?
    step "corvane-hold-ring ended with $status: $(cat "$pipe-errors.txt")" [ "$status" -eq 0 ]
    end_case
}

# --- The adapter selection dialog ------------------------------------------------------------

# corvane-select-nic-probe shows VORTAU's adapter selection dialog, from VORTAU's template, with
# the language file beside it and these adapters; it exits with the position the user chose.
select_nic_probe="$build/tests/wine/corvane-select-nic-probe.exe"
adapters=("Intel(R) PRO/Wireless 2200BG" "Atheros AR5007")

# Starts a case as begin_case does, with the probe in place of VORTAU (its process id in
# vortau_pid, so that end_case ends it on a failure).
begin_select_nic_case() {
    case_name=$1
    case_dir="$run/$1"
    case_ini="$case_dir/language.ini"
    case_failure=
    mkdir -p "$case_dir"
    cp "$select_nic_probe" "$case_dir/" &&
        cp "$build/resources/language/$2/language.ini" "$case_ini" ||
        case_failure="no probe or language file to copy"
    timeout 60 "$wine" "$case_dir/corvane-select-nic-probe.exe" "${adapters[@]}" \
        >"$case_dir/selected.txt" 2>"$case_dir/errors.txt" &
    vortau_pid=$!
}

# Checks that the controls $2... of dialog $1 have the language file's font.
check_table_font() {
    local dialog=$1 id face wanted
    wanted=$(iconv -f UTF-16 -t UTF-8 "$case_ini" | tr -d '\r' | sed -n 's/^font=//p')
    for id in "${@:2}"; do
        face=$(ui_probe font "$dialog" "$id") || return 1
        if [ "$face" != "$wanted" ]; then
            echo "    control $id has font \"$face\", expected \"$wanted\""
            return 1
        fi
    done
}

# Checks that list box 1001 of dialog $1 holds the adapters in order, each with its position as
# item data, entry $2 alone selected.
check_adapter_list() {
    local i list="$case_dir/list.txt"
    for i in "${!adapters[@]}"; do
        printf '%d\t%d\t%s\n' "$([ "$i" -eq "$2" ] && echo 1 || echo 0)" "$i" "${adapters[$i]}"
    done >"$list.expected"
    ui_probe list "$1" 1001 >"$list" || return 1
    if ! cmp -s "$list.expected" "$list"; then
        echo "    list box holds:"
        show_trace "$list"
        return 1
    fi
}

# Checks that Esc and then Alt+F4 leave dialog $1 open with its controls and list unchanged.
check_select_nic_keys_ignored() {
    local before="$case_dir/before-keys.txt" after="$case_dir/after-keys.txt"
    { ui_probe dump "$1" && ui_probe list "$1" 1001; } >"$before" &&
        ui_probe key "$1" escape && ui_probe close "$1" &&
        { ui_probe dump "$1" && ui_probe list "$1" 1001; } >"$after" && cmp -s "$before" "$after"
}

# Waits for the probe to end; it must have printed and exited with position $1.
selected_position() {
    wait "$vortau_pid"
    local status=$? printed
    vortau_pid=
    # The runtime's text-mode output ends the line with CR LF.
    printed=$(tr -d '\r' <"$case_dir/selected.txt")
    if [ "$status" -ne "$1" ] || [ "$printed" != "selected $1" ]; then
        echo "    exit status $status, printed \"$printed\"," \
            "errors \"$(cat "$case_dir/errors.txt")\""
        return 1
    fi
}

# The dialog in language $2 (case $1), titled with the table's text: the table's texts and font,
# the adapters with the first selected, Esc and Alt+F4 change nothing; the user presses the
# keys $3 (none, or for example "down") in the list, then OK, which ends it with position $4.
case_select_nic() {
    local keys=$3 position=$4 dialog key
    # Wine decodes a program's arguments in the locale's character set; the title must come
    # through as the UTF-8 it is.
    local -x LC_ALL=C.UTF-8
    begin_select_nic_case "$1" "$2"
    dialog="$(table_text "$case_ini" 26)@1001"
    step "no dialog titled \"${dialog%@*}\"" ui_probe wait "$dialog" 30000
    step "adapter selection dialog" dump_dialog "$dialog" shown
    step "adapter selection dialog's texts" check_dump shown \
        "1002=$(table_text "$case_ini" 25)" "1=$(table_text "$case_ini" 27)"
    step "font of the texts" check_table_font "$dialog" 1002 1
    step "adapter list when shown" check_adapter_list "$dialog" 0
    step "Esc or Alt+F4 changed the adapter selection dialog" \
        check_select_nic_keys_ignored "$dialog"
    for key in $keys; do
        step "key $key" ui_probe key "$dialog" "$key"
    done
    if [ -n "$keys" ]; then
        step "adapter list after $keys" check_adapter_list "$dialog" "$position"
        step "adapter selection dialog" dump_dialog "$dialog" chosen
    fi
    step "OK" ui_probe press "$dialog" 1
    step "the dialog did not end with position $position" selected_position "$position"
    end_case
}

case_second_instance
case_prefixes
case_admin_start
case_exit_after
case_dialogs_english winxp
case_dialogs_english vista
case_dialogs_windows_2000
case_dialogs_japanese
case_declined disagree press 2
case_declined agreement-enter key enter
case_start_cancelled
case_undersized_ring
case_select_nic select-nic-english english down 1
case_select_nic select-nic-japanese japanese "" 0

source "$(dirname "$0")/launcher_cases.sh"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
