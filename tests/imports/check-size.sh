#!/usr/bin/env bash
# Fails when EXE, stripped of symbols, is larger than MAXKIB kibibytes.
# Usage: check-size.sh EXE MAXKIB
set -euo pipefail

if (($# != 2)) || [[ ! $2 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 EXE MAXKIB" >&2
    exit 2
fi
exe=$1
max_kib=$2

stripped=$(mktemp)
trap 'rm -f "$stripped"' EXIT
i686-w64-mingw32-strip -o "$stripped" "$exe"
bytes=$(stat -c %s "$stripped")
kib=$(((bytes + 1023) / 1024))

if ((bytes > max_kib * 1024)); then
    echo "FAIL $exe size: $kib KiB stripped ($bytes bytes), limit $max_kib KiB"
    exit 1
fi
echo "PASS $exe size: $kib KiB stripped ($bytes bytes), limit $max_kib KiB"
