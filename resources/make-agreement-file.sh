#!/usr/bin/env bash
# Turns a readable UTF-8 agreement text into the resource the agreement dialog shows:
# UTF-16LE with CRLF line ends, no byte-order mark, no terminating zero and no line break
# after the last line (the dialog adds its own terminator).
set -euo pipefail
source=$1
target=$2
mkdir -p "$(dirname "$target")"
# $(...) drops the final line break; sed then ends every line but the last with CR.
printf '%s' "$(cat "$source")" | sed '$!s/$/\r/' | iconv -f UTF-8 -t UTF-16LE > "$target.tmp"
mv "$target.tmp" "$target"
