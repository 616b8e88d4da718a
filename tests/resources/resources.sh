# Sourced by the resource checks of a Windows build. The sourcing script sets $exe and
# $summary (the word before its closing count); this reads the program's resources into $work
# and gives report, finish and resource_bytes.

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
    echo "$summary: $passed passed, $failed failed"
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
