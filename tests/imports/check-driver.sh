#!/usr/bin/env bash
# Checks the protocol driver's image as the Windows 2000 and XP kernel loads it:
#   header     - a native image for OS and subsystem version 5.0, with its entry point
#   relocations- a .reloc section, so that the loader can place it anywhere
#   checksum   - the PE checksum the kernel verifies for a driver
#   imports    - only NDIS.SYS, ntoskrnl.exe and HAL.dll, only the functions listed in
#                driver-imports.txt, nothing by ordinal
#   registers  - no x87, MMX or SSE instruction (the kernel does not save them for us)
# Usage: check-driver.sh SYS OBJDUMP
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 SYS OBJDUMP" >&2
    exit 2
fi
sys=$1
objdump=$2
here=$(cd "$(dirname "$0")" && pwd)
passed=0
failed=0

report() {
    if [[ $2 == ok ]]; then
        echo "PASS $sys $1: $3"
        passed=$((passed + 1))
    else
        echo "FAIL $sys $1: $3"
        failed=$((failed + 1))
    fi
}

header=$("$objdump" -p "$sys")
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$header"; }
versions="$(field Subsystem) $(field MajorOSystemVersion).$(field MinorOSystemVersion) $(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
if [[ $versions == "00000001 5.0 5.0" && $(field AddressOfEntryPoint) != 00000000 ]]; then
    report header ok "native, OS and subsystem 5.0, entry at $(field AddressOfEntryPoint)"
else
    report header fail "subsystem, OS and subsystem versions: $versions"
fi

if "$objdump" -h "$sys" | grep -q ' \.reloc '; then
    report relocations ok ".reloc present"
else
    report relocations fail "no .reloc section"
fi

# The PE checksum: the image's 16-bit words summed with end-around carry, the checksum field
# itself counted as zero, plus the file's length.
read -r stored computed < <(python3 - "$sys" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
length = len(data)
offset = struct.unpack_from("<I", data, 0x3C)[0] + 24 + 64
stored = struct.unpack_from("<I", data, offset)[0]
data[offset:offset + 4] = bytes(4)
if length % 2:
    data.append(0)
total = 0
for (word,) in struct.iter_unpack("<H", data):
    total += word
    total = (total & 0xFFFF) + (total >> 16)
print(f"{stored:08x} {total + length:08x}")
PY
)
if [[ $stored == "$computed" && $stored != 00000000 ]]; then
    report checksum ok "$stored"
else
    report checksum fail "stored $stored, computed $computed"
fi

imports=$("$objdump" -p "$sys" | awk -F'\t' '
    /DLL Name:/ { split($0, words, " "); dll = words[3]; next }
    dll != "" && NF == 3 && $3 ~ /^ *[0-9]+  [A-Za-z_]/ { split($3, parts, " "); print dll, parts[2]; next }
    dll != "" && NF == 3 && $3 ~ /^ *[0-9]+ *$/ { print dll, "<ordinal>"; next }
    /^$/ { dll = "" }')
allowed=$(sed -e 's/[[:space:]]*#.*//' -e '/^$/d' "$here/driver-imports.txt")
bad=$(grep -vxFf <(echo "$allowed") <<<"$imports" | paste -sd' ' || true)
if [[ -n $imports && -z $bad ]]; then
    report imports ok "$(wc -l <<<"$imports") functions of $(cut -d' ' -f1 <<<"$imports" | sort -u | paste -sd' ')"
else
    report imports fail "not allowed: ${bad:-no imports found}"
fi

registers=$("$objdump" -d "$sys" | grep -cE '%(xmm|mm|st)[0-9(]|\b(fld|fst|fild|fistp|emms)' || true)
if [[ $registers == 0 ]]; then
    report registers ok "no x87, MMX or SSE instruction"
else
    report registers fail "$registers instructions use x87, MMX or SSE registers"
fi

echo "$passed passed, $failed failed"
((failed == 0))
