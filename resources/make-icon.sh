#!/usr/bin/env bash
# Draws corvane.ico: two wireless arcs and an amber dot on a rounded blue square, at 32x32
# and 16x16 in 16 colours with a transparency mask. Sixteen colours keep the icon near
# 1 KiB and look the same on Windows 2000, which has no alpha icons. The icon is committed;
# run this only to change it. Needs ImageMagick and Python 3.
# Usage: make-icon.sh [OUTPUT]   (default: corvane.ico beside this script)
set -euo pipefail
output=${1:-$(dirname "$0")/corvane.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Drawn at 128x128 and scaled down. The arcs come from a mask: two rings around the dot,
# cut to a quarter wedge pointing up.
convert -size 128x128 xc:none -draw "fill #1f5f8b roundrectangle 4,4 123,123 24,24" \
    \( -size 128x128 xc:white \) \
    \( -size 128x128 xc:black \
        -fill white -draw "circle 64,88 64,28" -fill black -draw "circle 64,88 64,44" \
        -fill white -draw "circle 64,88 64,56" -fill black -draw "circle 64,88 64,72" \
        -draw "polygon 64,88 -40,-16 -40,140 168,140 168,-16" \) \
    -composite -draw "fill #f2b134 circle 64,88 64,76" "$work/corvane.png"

# Each size as raw RGBA: alpha cut to all or nothing, at most 15 colours besides it.
for size in 32 16; do
    convert "$work/corvane.png" -resize ${size}x${size} -channel A -threshold 50% +channel \
        -background none -dither None -colors 15 -depth 8 "rgba:$work/$size.rgba"
done

# ImageMagick's own 16-colour icons lose the mask, so the icon file is put together here:
# per image a 4-bit DIB of double height, then the AND mask (1 = transparent).
python3 - "$work" "$output" <<'PY'
import struct, sys
work, output = sys.argv[1], sys.argv[2]
images = []
for size in (32, 16):
    data = open(f"{work}/{size}.rgba", "rb").read()
    pixels = [data[i:i + 4] for i in range(0, len(data), 4)]
    # Colour 0 is black: the screen shows through where the mask is set and the colour is 0.
    colours = [b"\0\0\0"] + sorted({p[:3] for p in pixels if p[3]} - {b"\0\0\0"})
    assert len(colours) <= 16, len(colours)
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in colours).ljust(64, b"\0")
    xor, mask = b"", b""
    for y in reversed(range(size)):  # DIB rows run bottom-up
        row = pixels[y * size:(y + 1) * size]
        nibbles = [index[p[:3]] if p[3] else 0 for p in row]
        xor += bytes(nibbles[x] << 4 | nibbles[x + 1] for x in range(0, size, 2)).ljust(
            (size // 2 + 3) // 4 * 4, b"\0")
        bits = bytes(sum((not row[x + b][3]) << (7 - b) for b in range(8))
                     for x in range(0, size, 8))
        mask += bits.ljust((size // 8 + 3) // 4 * 4, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    images.append((size, header + palette + xor + mask))
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, body in images:
    out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), offset)
    offset += len(body)
out += b"".join(body for _, body in images)
open(output, "wb").write(out)
PY
