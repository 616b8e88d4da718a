# Sourced by tests/wine/run.sh after VORTAU's cases: VORTA.exe as a user starts it, in the same
# prefix, display and helpers. Each case clears what an earlier launcher left (the private folder
# under Wine's temporary directory and the RunOnce value) before it starts VORTA.

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
vorta="$build/launcher/VORTA.exe"
run_once='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
private_name='{1A8B078A-38DC-4efc-98E7-B6407DB6382C}'
message_box="Corvane V1.00"

# Wine's temporary directory for the user, in Windows and Linux form.
temp_windows=$("$wine" cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')
temp_linux=$("$wine" winepath -u "$temp_windows" 2>/dev/null | tr -d '\r')
private_windows="${temp_windows%\\}\\$private_name"
private_linux="${temp_linux%/}/$private_name"

clear_launcher_traces() {
    rm -rf "$private_linux"
    "$wine" reg delete "$run_once" /v CorvaneInstDelete /f >/dev/null 2>&1
}

# The RunOnce value's text, or nothing when it is absent.
run_once_value() {
    "$wine" reg query "$run_once" /v CorvaneInstDelete 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *CorvaneInstDelete *REG_SZ *//p'
}

# Nothing of a launcher run is on the PC: no private folder, no RunOnce value.
nothing_unpacked() {
    if [ -e "$private_linux" ] || [ -n "$(run_once_value)" ]; then
        echo "    left: $(ls -A "$private_linux" 2>/dev/null) RunOnce \"$(run_once_value)\""
        return 1
    fi
}

# The private folder holds the four files of the build, byte for byte, with language file $1.
check_unpacked() {
    local entry file
    for entry in "VORTAU.exe=$vortau" \
        "TAVIR_CorvaneWD.inf=$source_dir/resources/TAVIR_CorvaneWD.inf" \
        "TAVIR_CorvaneWD.sys=$build/driver/TAVIR_CorvaneWD.sys" \
        "Language.ini=$build/resources/language/$1/language.ini"; do
        file="$private_linux/${entry%%=*}"
        if ! cmp -s "$file" "${entry#*=}"; then
            echo "    ${entry%%=*} is not the build's ${entry#*=}"
            return 1
        fi
    done
    local count
    count=$(find "$private_linux" -mindepth 1 | wc -l)
    [ "$count" -eq 4 ] || {
        echo "    the private folder holds $count entries"
        return 1
    }
}

check_run_once() {
    local wanted="cmd /Q /C rd /S /Q \"$private_windows\"" got
    got=$(run_once_value)
    [ "$got" = "$wanted" ] || {
        echo "    RunOnce reads \"$got\", expected \"$wanted\""
        return 1
    }
}

# VORTAU, started by the launcher, ends once its agreement dialog is gone: Disagree pressed.
decline_and_wait() {
    ui_probe press "$agreement" 2 || return 1
    local tries=0
    while ui_probe wait "$agreement" 100 >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || return 1
    done
}

# Starts VORTA from folder $2 (Linux) as Windows path $3 under Windows version $1 with the
# viewer following; the launcher itself must end.
start_launcher() {
    set_windows_version "$1"
    clear_launcher_traces
    mkdir -p "$2"
    cp "$vorta" "$2/VORTA.exe"
    start_viewer "$case_trace" --no-date --no-time || return 1
    timeout 60 "$wine" "$3\\VORTA.exe"
    [ $? -ne 124 ]
}

case_trace=

# Windows $1, language $2 (LANG $3): VORTA unpacks the payload, arms the clean-up and starts
# VORTAU from the private folder with its own folder ($4 under $5 in Windows form) as option.
case_launcher_unpacks() {
    local version=$1 language=$2 lang=$3 folder=$4 windows_folder=$5
    case_name="vorta-$version-$language"
    case_dir="$run/$case_name"
    case_failure=
    case_trace="$run/trace-$case_name.txt"
    mkdir -p "$case_dir"
    LANG=$lang step "VORTA did not start or end" start_launcher "$version" "$folder" \
        "$windows_folder"
    step "VORTAU's agreement did not come up" ui_probe wait "$agreement" 30000
    step "agreement screenshot" screenshot agreement
    step "the private folder" check_unpacked "$language"
    step "the RunOnce value" check_run_once
    # VORTAU is closed whatever failed, so that no later case meets its mutex.
    if ui_probe wait "$agreement" 1000 >/dev/null 2>&1 && ! decline_and_wait; then
        case_failure=${case_failure:-"Disagree did not end VORTAU"}
    fi
    stop_viewer
    local option=${windows_folder%\\}
    step "the trace" has_lines_in_order "$case_trace" \
        "VORTA ----------------  START  ---------------" \
        "VORTA Multiple start Check" \
        "VORTA Decompression -> TAVIR_CorvaneWD.INF" \
        "VORTA Decompression -> TAVIR_CorvaneWD.SYS" \
        "VORTA Decompression -> Language.ini" \
        "VORTA Decompression -> VORTAU.exe" \
        "VORTA ShellExecute()..." \
        "VORTA   [$private_windows\\VORTAU.exe]" \
        "VORTA   [\"$option\"]" \
        "VORTA   [$private_windows]" \
        "VORTA -----------------  END  ----------------" \
        "VORTAU InitInstance Option:$option"
    [ -z "$case_failure" ] || show_trace "$case_trace"
    end_case
}

# The message box is up with text $1 and caption "Corvane V1.00": a screenshot, then its one
# button.
answer_message_box() {
    ui_probe wait "$message_box" 30000 || return 1
    ui_probe dump "$message_box" >"$case_dir/message-box.txt" || return 1
    screenshot message-box
    if ! cut -f6- "$case_dir/message-box.txt" | grep -qxF "$1"; then
        echo "    the box reads:"
        sed 's/^/    | /' "$case_dir/message-box.txt"
        return 1
    fi
    local button
    button=$(awk -F'\t' '$2 == "Button" { print $1; exit }' "$case_dir/message-box.txt")
    [ -n "$button" ] && ui_probe press "$message_box" "$button"
}

# Windows $1 (not supported) in language $2 (LANG $3): the box shows string $4 and nothing is
# written.
case_launcher_refuses() {
    local version=$1 language=$2 lang=$3 text=$4
    case_name="vorta-$version-$language"
    case_dir="$run/$case_name"
    case_failure=
    case_trace="$run/trace-$case_name.txt"
    mkdir -p "$case_dir/folder"
    cp "$vorta" "$case_dir/folder/VORTA.exe"
    set_windows_version "$version"
    clear_launcher_traces
    start_viewer "$case_trace" --no-date --no-time || case_failure="the viewer did not start"
    LANG=$lang timeout 60 "$wine" "$case_dir/folder/VORTA.exe" &
    vortau_pid=$!
    step "the message box" answer_message_box "$text"
    step "VORTA did not end after the box" vortau_ends
    stop_viewer
    step "something was written" nothing_unpacked
    step "the trace" has_lines_in_order "$case_trace" "VORTA Non support OS" \
        "VORTA -----------------  END  ----------------"
    [ -z "$case_failure" ] || show_trace "$case_trace"
    end_case
}

# VORTA started while another program holds the mutex (as VORTAU does) ends without a word.
case_launcher_second_instance() {
    case_name="vorta-second-instance"
    case_dir="$run/$case_name"
    case_failure=
    case_trace="$run/trace-$case_name.txt"
    mkdir -p "$case_dir"
    cp "$vorta" "$case_dir/VORTA.exe"
    set_windows_version winxp
    clear_launcher_traces
    start_viewer "$case_trace" --no-date --no-time || case_failure="the viewer did not start"
    timeout 60 "$wine" "$hold_mutex" TAVIR_Corvane_Mutex "$(windows_path "$case_dir/VORTA.exe")"
    local status=$?
    stop_viewer
    [ "$status" -eq 0 ] || case_failure="VORTA did not end (status $status)"
    step "something was written" nothing_unpacked
    step "the trace" has_lines_in_order "$case_trace" \
        "VORTA \"TAVIR_Corvane_Mutex\" exists." "VORTA -----------------  END  ----------------"
    if [ -z "$case_failure" ] && grep -q "Decompression" "$case_trace"; then
        case_failure="the launcher went on"
    fi
    [ -z "$case_failure" ] || show_trace "$case_trace"
    end_case
}

# A message of the launcher's string table as its resource header spells it: $1 is
# UNSUPPORTED_OS_ENGLISH or the like.
launcher_text() {
    grep -A1 -E "^#define TEXT_$1 " "$source_dir/resources/launcher_resource.h" | tail -n 1 |
        sed -E 's/^ *"(.*)"$/\1/'
}

if [ ! -f "$vorta" ]; then
    fail "launcher set-up" "missing $vorta (build the win64 preset first)"
elif [ -z "$temp_linux" ]; then
    fail "launcher set-up" "Wine's temporary directory not found"
else
    launcher_dir="$run/launcher/Downloads Folder"
    case_launcher_unpacks winxp english C.UTF-8 "$launcher_dir" "$(windows_path "$launcher_dir")"
    case_launcher_unpacks winxp japanese ja_JP.UTF-8 "$launcher_dir" \
        "$(windows_path "$launcher_dir")"
    # A drive of its own whose root holds the launcher: the option is the drive alone.
    mkdir -p "$run/launcher/drive"
    ln -sfn "$run/launcher/drive" "$WINEPREFIX/dosdevices/v:"
    case_launcher_unpacks vista english C.UTF-8 "$run/launcher/drive" 'V:\'
    rm -f "$WINEPREFIX/dosdevices/v:"
    case_launcher_refuses win98 english C.UTF-8 "$(launcher_text UNSUPPORTED_OS_ENGLISH)"
    case_launcher_refuses nt40 english C.UTF-8 "$(launcher_text UNSUPPORTED_OS_ENGLISH)"
    case_launcher_refuses win98 japanese ja_JP.UTF-8 "$(launcher_text UNSUPPORTED_OS_JAPANESE)"
    case_launcher_second_instance
    clear_launcher_traces
    set_windows_version winxp
fi
