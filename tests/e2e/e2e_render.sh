#!/usr/bin/env bash
# --render without a display writes 60 black 640x480 frames for one second.
set -euo pipefail
bin="$1"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\r\n' > mohn.cs
"$bin" --render out --seconds 1
count=$(ls out | grep -c '^frame-[0-9]\{5\}\.png$')
[ "$count" -eq 60 ] || { echo "expected 60 frames, got $count"; exit 1; }
[ -f out/frame-00000.png ] && [ -f out/frame-00059.png ] || { echo "frame names"; exit 1; }
python3 - out/frame-00059.png <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
w, h, depth, colour = struct.unpack('>IIBB', data[16:26])
assert (w, h, depth, colour) == (640, 480, 8, 2), (w, h, depth, colour)
pos, idat = 8, b''
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    if kind == b'IDAT': idat += data[pos + 8:pos + 8 + n]
    pos += 12 + n
raw = zlib.decompress(idat)
assert len(raw) == h * (1 + w * 3)
assert all(raw[y * (1 + w * 3) + 1:(y + 1) * (1 + w * 3)] == bytes(w * 3) or raw[y * (1 + w * 3)] != 0
           for y in range(h)), 'frame is not black'
PY
# Bad targets fail with a message instead of crashing.
touch afile
if "$bin" --render afile --seconds 0.1 2>err.txt; then echo "a file as folder should fail"; exit 1; fi
grep -q "not a folder" err.txt
echo ok
