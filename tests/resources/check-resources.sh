#!/usr/bin/env bash
# Checks the resources compiled into VORTAU.exe of a Windows build:
#   table     - the dialogs 129 to 132, agreements 137 and 138 (type 5429), icon group 141,
#               version and manifest are there
#   dialogs   - the four templates match dialogs.expected (ids, rectangles, styles, fonts)
#   agreement - resources 137 and 138 are the generated agreement files, byte for byte
#   version   - version 1.00 and the product's names
#   manifest  - common controls 6, asInvoker, and the program's own processor architecture
# Usage: check-resources.sh BUILD_DIR   (e.g. build/win32)
set -euo pipefail

if (($# != 1)); then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$1
exe=$build/checker/VORTAU.exe
agreements=$build/resources/agreement
here=$(cd "$(dirname "$0")" && pwd)
summary=resources
# shellcheck source=tests/resources/resources.sh
source "$(dirname "$0")/resources.sh"

check_table() {
    local missing="" wanted
    for wanted in "5 129" "5 130" "5 131" "5 132" "5429 137" "5429 138" "14 141" "16 1" "24 1"; do
        awk -v w="$wanted" '$1 " " $2 == w { found = 1 } END { exit !found }' "$work/table" ||
            missing+=" type ${wanted% *} id ${wanted#* }"
    done
    awk '$1 == 3 { found = 1 } END { exit !found }' "$work/table" || missing+=" icon images"
    if [[ -z $missing ]]; then
        report table ok "$(wc -l <"$work/table") resources, all expected ones there"
    else
        report table fail "missing:$missing"
    fi
}

check_dialogs() {
    awk '/^[0-9]+ DIALOGEX / { on = 1 } on { print } /^END$/ { on = 0 }' "$work/rc" >"$work/dialogs"
    if diff -u --label dialogs.expected --label VORTAU.exe <(grep -v '^//' "$here/dialogs.expected") \
        "$work/dialogs" >"$work/diff"; then
        report dialogs ok "$(grep -c DIALOGEX "$work/dialogs") templates as expected"
    else
        report dialogs fail "templates differ from dialogs.expected"
        sed 's/^/    /' "$work/diff"
    fi
}

check_agreement() {
    local id language bad=""
    for id in 137 138; do
        language=$( ((id == 137)) && echo english || echo japanese)
        resource_bytes 5429 "$id" >"$work/$id"
        if [[ ! -s $agreements/$language.utf16 ]]; then
            bad+=" $language.utf16 missing or empty;"
        elif ! cmp -s "$work/$id" "$agreements/$language.utf16"; then
            bad+=" $id differs from $language.utf16;"
        fi
    done
    if [[ -z $bad ]]; then
        report agreement ok "137 $(stat -c %s "$work/137") bytes, 138 $(stat -c %s "$work/138") bytes, as generated"
    else
        report agreement fail "${bad# }"
    fi
}

check_version() {
    local bad="" line text
    for line in '^ FILEVERSION 1, 0, 0, 0$' '^ PRODUCTVERSION 1, 0, 0, 0$' \
        'VALUE "ProductName", "Corvane"$' 'VALUE "FileDescription", "Corvane check program"$' \
        'VALUE "FileVersion", "1\.00"$' 'VALUE "ProductVersion", "1\.00"$'; do
        text=${line//[\^\$\\]/}
        grep -q "$line" "$work/rc" || bad+=" no '${text# }';"
    done
    if [[ -z $bad ]]; then
        report version ok "1.00, Corvane check program"
    else
        report version fail "${bad# }"
    fi
}

check_manifest() {
    local arch bad="" pattern
    case $("$objdump" -f "$exe" | awk '/file format/ { print $NF }') in
        pei-i386) arch=x86 ;;
        pei-x86-64) arch=amd64 ;;
        *) arch=unknown ;;
    esac
    resource_bytes 24 1 | tr -s ' \n' ' ' >"$work/manifest"
    for pattern in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
        'level="asInvoker"' "<assemblyIdentity type=\"win32\" name=\"Corvane.VORTAU\""; do
        grep -qF "$pattern" "$work/manifest" || bad+=" no $pattern;"
    done
    # A manifest for another processor keeps the program from starting at all.
    grep -o 'processorArchitecture="[^"]*"' "$work/manifest" | grep -vqx "processorArchitecture=\"$arch\"" &&
        bad+=" processorArchitecture other than $arch;"
    if [[ -z $bad ]]; then
        report manifest ok "common controls 6, asInvoker, $arch"
    else
        report manifest fail "${bad# }"
    fi
}

check_table
check_dialogs
check_agreement
check_version
check_manifest
finish
