#!/usr/bin/env bash
# The bundled production: --check reports nothing, and a few rendered
# seconds show a picture (not blank) with music (not silent).
set -euo pipefail
bin="$1"; production="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$production"
"$bin" --check >/dev/null
"$bin" --render "$work/frames" --seconds 14 --fps 2 --quality low 2>/dev/null
python3 - "$work/frames" <<'PY'
import struct, sys, wave, zlib, os
folder = sys.argv[1]
def pixels(path):
    data = open(path, 'rb').read()
    w, h = struct.unpack('>II', data[16:24])
    pos, idat = 8, b''
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        if kind == b'IDAT': idat += data[pos + 8:pos + 8 + n]
        pos += 12 + n
    return w, h, zlib.decompress(idat)
frames = sorted(f for f in os.listdir(folder) if f.startswith('frame-'))
assert len(frames) == 28, len(frames)
for name in (frames[0], frames[-1]):
    w, h, raw = pixels(os.path.join(folder, name))
    # Count distinct filter-row lengths as a cheap "not blank" test: a blank
    # frame compresses to identical rows.
    rows = {raw[y * (1 + w * 3):(y + 1) * (1 + w * 3)] for y in range(h)}
    assert len(rows) > h // 4, (name, len(rows))
with wave.open(os.path.join(folder, 'audio.wav')) as wav:
    assert wav.getframerate() == 44100 and wav.getnchannels() == 2
    assert abs(wav.getnframes() - 14 * 44100) <= 1, wav.getnframes()
    samples = wav.readframes(wav.getnframes())
    loud = max(abs(int.from_bytes(samples[i:i + 2], 'little', signed=True)) for i in range(0, len(samples), 2))
    assert loud > 1000, loud
print('production ok')
PY
