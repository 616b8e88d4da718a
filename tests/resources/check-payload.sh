#!/usr/bin/env bash
# Checks the resources compiled into VORTA.exe of a Windows build:
#   payload  - resources 130, 132, 133, 138 and 139 (type 5428) are this build's VORTAU.exe,
#              the setup information file, this build's protocol driver and the generated
#              English and Japanese language files, byte for byte
#   strings  - the string table holds the four messages 135 to 138
#   manifest - asInvoker, and the program's own processor architecture
#   code     - VORTA without its payload, stripped, stays within OWN_KIB (default 100) KiB
# Usage: check-payload.sh BUILD_DIR [OWN_KIB]   (e.g. build/win32)
set -euo pipefail

if (($# < 1 || $# > 2)); then
    echo "usage: $0 BUILD_DIR [OWN_KIB]" >&2
    exit 2
fi
build=$1
own_kib=${2:-100}
exe=$build/launcher/VORTA.exe
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
# The 64-bit tools read 32-bit and 64-bit programs alike.
objdump=x86_64-w64-mingw32-objdump
windres=x86_64-w64-mingw32-windres
strip=x86_64-w64-mingw32-strip

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0

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
    echo "payload: $passed passed, $failed failed"
    ((failed == 0))
    exit
}

if ! "$objdump" -p "$exe" >"$work/dump" 2>"$work/error" ||
    ! "$windres" -i "$exe" -O rc >"$work/rc" 2>>"$work/error"; then
    report read fail "$(head -1 "$work/error")"
    finish
fi

# One "type id rva size" line per resource, in decimal (see check-resources.sh).
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

resource_bytes() {
    local rva size section_rva section_offset
    read -r rva size < <(awk -v t="$1" -v i="$2" '$1 == t && $2 == i { print $3, $4 }' "$work/table") ||
        return 0
    section_rva=$(awk '/Resource Directory \[\.rsrc\]/ { print $3 }' "$work/dump")
    section_offset=$("$objdump" -h "$exe" | awk '$2 == ".rsrc" { print $6 }')
    dd if="$exe" iflag=skip_bytes,count_bytes skip=$((16#$section_offset + rva - 16#$section_rva)) \
        count="$size" bs=64K status=none
}

check_payload() {
    local id file bad="" sizes=""
    for entry in "130 $build/checker/VORTAU.exe" "132 $source_dir/resources/TAVIR_CorvaneWD.inf" \
        "133 $build/driver/TAVIR_CorvaneWD.sys" "138 $build/resources/language/english/language.ini" \
        "139 $build/resources/language/japanese/language.ini"; do
        id=${entry%% *}
        file=${entry#* }
        resource_bytes 5428 "$id" >"$work/$id"
        if [[ ! -s $file ]]; then
            bad+=" ${file#"$build"/} missing or empty;"
        elif [[ ! -s $work/$id ]]; then
            bad+=" no resource $id;"
        elif ! cmp -s "$work/$id" "$file"; then
            bad+=" $id differs from ${file##*/};"
        fi
        sizes+=" $id:$(stat -c %s "$work/$id")"
    done
    if [[ -z $bad ]]; then
        report payload ok "byte-identical to the build's files,${sizes}"
    else
        report payload fail "${bad# }"
    fi
}

check_strings() {
    local id missing=""
    for id in 135 136 137 138; do
        grep -qE "^ +$id, L?\"" "$work/rc" || missing+=" $id"
    done
    grep -qF 'You cannot use Pellora/Quintrel with your current OS version.' "$work/rc" ||
        missing+=" (the English text of 136)"
    if [[ -z $missing ]]; then
        report strings ok "135 to 138"
    else
        report strings fail "missing:$missing"
    fi
}

check_manifest() {
    local arch bad=""
    case $("$objdump" -f "$exe" | awk '/file format/ { print $NF }') in
        pei-i386) arch=x86 ;;
        pei-x86-64) arch=amd64 ;;
        *) arch=unknown ;;
    esac
    resource_bytes 24 1 | tr -s ' \n' ' ' >"$work/manifest"
    grep -qF 'level="asInvoker"' "$work/manifest" || bad+=" no asInvoker;"
    grep -qF '<assemblyIdentity type="win32" name="Corvane.VORTA"' "$work/manifest" ||
        bad+=" no Corvane.VORTA identity;"
    grep -o 'processorArchitecture="[^"]*"' "$work/manifest" | grep -vqx "processorArchitecture=\"$arch\"" &&
        bad+=" processorArchitecture other than $arch;"
    if [[ -z $bad ]]; then
        report manifest ok "asInvoker, $arch"
    else
        report manifest fail "${bad# }"
    fi
}

check_code() {
    local total payload=0 id kib
    "$strip" -o "$work/stripped" "$exe"
    total=$(stat -c %s "$work/stripped")
    for id in 130 132 133 138 139; do
        payload=$((payload + $(stat -c %s "$work/$id")))
    done
    kib=$(((total - payload + 1023) / 1024))
    if ((total - payload <= own_kib * 1024)); then
        report code ok "$kib KiB without the payload, limit $own_kib KiB"
    else
        report code fail "$kib KiB without the payload, limit $own_kib KiB"
    fi
}

check_payload
check_strings
check_manifest
check_code
finish
