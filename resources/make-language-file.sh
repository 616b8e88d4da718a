#!/usr/bin/env bash
# Turns a readable UTF-8 language file into what the programs read: UTF-16LE with a
# byte-order mark and CRLF line ends.
set -euo pipefail
source=$1
target=$2
mkdir -p "$(dirname "$target")"
{ printf '\xff\xfe'; sed 's/$/\r/' "$source" | iconv -f UTF-8 -t UTF-16LE; } > "$target.tmp"
mv "$target.tmp" "$target"
