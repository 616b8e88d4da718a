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
# The 64-bit tools read 32-bit and 64-bit programs alike.
objdump=x86_64-w64-mingw32-objdump
windres=x86_64-w64-mingw32-windres

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0

# report CHECK OK DETAIL
report() {
    if [[ $2 == ok ]]; then
        echo "PASS $exe $1: $3"
        passed=$((passed + 1))
    else
        echo "FAIL $exe $1: $3"
        failed=$((failed + 1))
    fi
}

finish() {
    echo "resources: $passed passed, $failed failed"
    ((failed == 0))
    exit
}

if ! "$objdump" -p "$exe" >"$work/dump" 2>"$work/error" ||
    ! "$windres" -i "$exe" -O rc >"$work/rc" 2>>"$work/error"; then
    report read fail "$(head -1 "$work/error")"
    finish
fi

# One "type id rva size" line per resource, in decimal, from the resource directory listing:
# entries of the type level are indented by three spaces, those of the name level by five.
awk '
    /^The \.rsrc Resource Directory section:/ { on = 1; next }
    !on { next }
    /^ Resources start at/ { exit }
    /^[0-9a-f]+   Entry: ID:/ { type = $4 }
    /^[0-9a-f]+     Entry: ID:/ { id = $4 }
    /Leaf: Addr:/ { print type, id, $4, $6 }
' "$work/dump" | tr -d , | while read -r type id rva size; do
    echo $((type)) $((id)) $((rva)) $((size))
done >"$work/table"

# resource_bytes TYPE ID: the resource's data on stdout.
resource_bytes() {
    local rva size section_rva section_offset
    read -r rva size < <(awk -v t="$1" -v i="$2" '$1 == t && $2 == i { print $3, $4 }' "$work/table") ||
        return 0
    section_rva=$(awk '/Resource Directory \[\.rsrc\]/ { print $3 }' "$work/dump")
    section_offset=$("$objdump" -h "$exe" | awk '$2 == ".rsrc" { print $6 }')
    dd if="$exe" iflag=skip_bytes,count_bytes skip=$((16#$section_offset + rva - 16#$section_rva)) \
        count="$size" bs=64K status=none
}

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
