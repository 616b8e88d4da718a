#!/usr/bin/env bash
# Checks that 32-bit mingw executables can load on Windows 2000 SP4:
#   dlls      - only DLLs every such system has; with --known-dlls only Known DLLs, which
#               Windows never looks for in the program's folder
#   header    - subsystem and OS version no later than 5.0
#   functions - no import 2000 lacks, no ordinal imports except shell32's
# Usage: check-imports.sh [--known-dlls] EXE [EXE...]
set -euo pipefail

known_only=false
if [[ ${1:-} == --known-dlls ]]; then
    known_only=true
    shift
fi
if (($# == 0)); then
    echo "usage: $0 [--known-dlls] EXE [EXE...]" >&2
    exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
objdump=i686-w64-mingw32-objdump
cc=i686-w64-mingw32-gcc-win32

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Present on every Windows 2000 SP4 installation.
printf '%s\n' kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll \
    oleaut32.dll comctl32.dll comdlg32.dll version.dll setupapi.dll iphlpapi.dll \
    ws2_32.dll psapi.dll msvcrt.dll shlwapi.dll rpcrt4.dll >"$work/system-dlls"

# Known DLLs on Windows 2000, XP and Vista alike (the loader takes them from the system
# directory whatever folder the program is in); msvcrt.dll is one as the import of other
# Known DLLs. A program started from a download folder imports nothing else.
printf '%s\n' kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll \
    oleaut32.dll comdlg32.dll rpcrt4.dll msvcrt.dll >"$work/known-dlls"

# Every function name the headers declare for Windows 2000 SP4. In an
# -aux-info line the name is the first identifier followed by " (" that
# does not open a function-pointer declarator.
"$cc" -fsyntax-only -aux-info "$work/aux" "$here/win2000-api.c"
awk '{
    sub(/^\/\* [^*]*\*\/ /, "")
    while (match($0, /[A-Za-z_][A-Za-z0-9_]* \(/)) {
        rest = substr($0, RSTART + RLENGTH)
        if (substr(rest, 1, 1) != "*") { print substr($0, RSTART, RLENGTH - 2); break }
        $0 = rest
    }
}' "$work/aux" | sort -u >"$work/declared"

sed -e 's/[[:space:]]*#.*//' -e '/^$/d' "$here/missing-on-2000.txt" >"$work/missing"

passed=0
failed=0

# report EXE CHECK OK DETAIL
report() {
    if [[ $3 == ok ]]; then
        echo "PASS $1 $2: $4"
        passed=$((passed + 1))
    else
        echo "FAIL $1 $2: $4"
        failed=$((failed + 1))
    fi
}

check_dlls() {
    local exe=$1 bad allowed=$work/system-dlls kind="system DLLs"
    if $known_only; then
        allowed=$work/known-dlls
        kind="Known DLLs"
    fi
    bad=$(cut -f1 "$work/imports" | sort -u | grep -vxFf "$allowed" | paste -sd' ' || true)
    if [[ -z $bad ]]; then
        report "$exe" dlls ok "$(cut -f1 "$work/imports" | sort -u | paste -sd' ')"
    else
        report "$exe" dlls fail "not $kind: $bad"
    fi
}

check_header() {
    local exe=$1 subsys os bad=""
    read -r subsys os < <(awk '
        $1 == "MajorSubsystemVersion" { smaj = $2 }
        $1 == "MinorSubsystemVersion" { smin = $2 }
        $1 == "MajorOSystemVersion" { omaj = $2 }
        $1 == "MinorOSystemVersion" { omin = $2 }
        END { print smaj "." smin, omaj "." omin }' "$work/dump")
    later_than_5_0 "$subsys" && bad+=" subsystem version $subsys > 5.0"
    later_than_5_0 "$os" && bad+=" OS version $os > 5.0"
    if [[ -z $bad ]]; then
        report "$exe" header ok "subsystem $subsys, OS $os"
    else
        report "$exe" header fail "${bad# }"
    fi
}

later_than_5_0() {
    local major=${1%.*} minor=${1#*.}
    ((major > 5 || (major == 5 && minor > 0)))
}

check_functions() {
    local exe=$1 named ordinals bad
    # Imports from other DLLs have already failed the dlls check.
    awk -F'\t' 'NR == FNR { wanted[$1]; next } $1 in wanted' \
        "$work/system-dlls" "$work/imports" >"$work/system-imports"
    named=$(awk -F'\t' '$2 !~ /^#/' "$work/system-imports" | wc -l)
    ordinals=$(awk -F'\t' '$2 ~ /^#/' "$work/system-imports" | wc -l)
    bad=$(
        awk -F'\t' '$2 !~ /^#/ { print $1 "!" $2 }' "$work/system-imports" |
            grep -Exf "$work/missing" | sed 's/$/ (missing on 2000)/' || true
        # The C runtime's names are declared by its own headers, not these.
        awk -F'\t' 'NR == FNR { declared[$1]; next }
            $1 != "msvcrt.dll" && $2 !~ /^#/ && !($2 in declared) {
                print $1 "!" $2 " (not declared for 2000)" }' "$work/declared" "$work/system-imports"
        awk -F'\t' '$2 ~ /^#/ && $1 != "shell32.dll" { print $1 "!" $2 " (by ordinal)" }' "$work/system-imports"
    )
    if [[ -z $bad ]]; then
        report "$exe" functions ok "$named by name, $ordinals by ordinal"
    else
        report "$exe" functions fail "$(sort -u <<<"$bad" | wc -l) of $((named + ordinals)) imports unavailable"
        sort -u <<<"$bad" | sed 's/^/    /'
    fi
}

for exe in "$@"; do
    if ! "$objdump" -p "$exe" >"$work/dump"; then
        report "$exe" read fail "not a 32-bit PE file"
        continue
    fi
    # One "dll<TAB>name" line per import, "#ordinal" for imports by ordinal.
    awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        /^$/ { dll = ""; next }
        dll != "" && /^\t[0-9a-f]+\t/ { print dll "\t" ($3 == "<none>" ? "#" $2 : $3) }
    ' "$work/dump" >"$work/imports"
    check_dlls "$exe"
    check_header "$exe"
    check_functions "$exe"
done

echo "imports: $passed passed, $failed failed"
((failed == 0))
