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
strip=x86_64-w64-mingw32-strip
summary=payload
# shellcheck source=tests/resources/resources.sh
source "$(dirname "$0")/resources.sh"

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
