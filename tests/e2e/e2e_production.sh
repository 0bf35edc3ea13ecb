#!/usr/bin/env bash
# The bundled production: --check reports and warns nothing, and the whole film,
# rendered at one frame per second, holds up as a demo: no frame is blank,
# none has a black band over a tenth of its height outside the fade-in and
# the fade-out, every section of the music moves (most seconds clearly), and
# the sound sits at its loudness target without reaching full scale.
set -euo pipefail
bin="$1"; production="$2"
command -v ffmpeg >/dev/null || { echo "ffmpeg missing"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$production"
report=$("$bin" --check 2>&1) || { echo "$report"; exit 1; }
grep -q " 0 reports, 0 warnings;" <<<"$report" || { echo "$report"; exit 1; }
"$bin" --render "$work/frames" --fps 1 --mode 640x480 --quality low 2>/dev/null
python3 - "$work/frames" <<'PY'
import os, re, subprocess, sys
folder = sys.argv[1]
frames = sorted(f for f in os.listdir(folder) if f.startswith('frame-'))
# Until the script's ENDE, a little after the song's end at 100.92 s.
assert 95 <= len(frames) <= 125, len(frames)
end = len(frames) - 1

def decode(size, fmt):
    return subprocess.run(['ffmpeg', '-v', 'error', '-framerate', '1', '-i', os.path.join(folder, 'frame-%05d.png'),
                           '-vf', size, '-pix_fmt', fmt, '-f', 'rawvideo', '-'], capture_output=True, check=True).stdout

W, H = 640, 480
rgb = decode('scale=640:480', 'rgb24')
grey = decode('scale=80:60:flags=area', 'gray')
n = 80 * 60
assert len(rgb) == len(frames) * W * H * 3 and len(grey) == len(frames) * n
problems = []
for t in range(len(frames)):
    small = grey[t * n:(t + 1) * n]
    if t >= 1 and t <= end - 3 and max(small) - min(small) < 40:
        problems.append(f'{t} s: blank picture (grey {min(small)}..{max(small)})')
    if 3 <= t <= end - 8:
        frame = rgb[t * W * H * 3:(t + 1) * W * H * 3]
        black = sum(1 for y in range(H) if max(frame[y * W * 3:(y + 1) * W * 3]) < 8)
        if black > H // 10:
            problems.append(f'{t} s: {black} of {H} rows are black')

# Mean absolute grey difference of frames one second apart, at 80x60.
motion = [sum(abs(a - b) for a, b in zip(grey[t * n:(t + 1) * n], grey[(t + 1) * n:(t + 2) * n])) / n
          for t in range(len(frames) - 1)]
inner = motion[2:end - 6]
moving = sum(1 for m in inner if m > 4)
if moving < 0.75 * len(inner):
    problems.append(f'clear motion in only {moving} of {len(inner)} seconds')
# The sections of the score, each with its own scene; even the still break drifts.
sections = [('intro', 0, 8), ('intro 2', 8, 16), ('beat', 16, 24), ('verse', 24, 32), ('theme A', 32, 40),
            ("theme A'", 40, 48), ('theme B', 48, 56), ('fill', 56, 60), ('break', 60, 68),
            ('build-up', 68, 76), ('finale A', 76, 84), ('finale B', 84, 92), ('outro', 92, 100)]
for name, a, b in sections:
    mean = sum(motion[a:b - 1]) / (b - 1 - a)
    if mean < 1.5:
        problems.append(f'{name} ({a}-{b} s) hardly moves: mean difference {mean:.1f}')

summary = subprocess.run(['ffmpeg', '-nostats', '-i', os.path.join(folder, 'audio.wav'), '-af', 'ebur128=peak=true',
                          '-f', 'null', '-'], capture_output=True, text=True).stderr
summary = summary[summary.rfind('Summary:'):]
loudness = float(re.search(r'I:\s+(-?[\d.]+) LUFS', summary).group(1))
peak = float(re.search(r'Peak:\s+(-?[\d.]+|-inf) dBFS', summary).group(1))
if not -18 <= loudness <= -13:
    problems.append(f'integrated loudness {loudness} LUFS, not -18..-13')
if peak >= -1:
    problems.append(f'true peak {peak} dBFS, not below -1')
print(f'{len(frames)} frames, motion in {moving}/{len(inner)} seconds, {loudness} LUFS, true peak {peak} dBFS')
if problems:
    print('\n'.join(problems))
    sys.exit(1)
print('production ok')
PY
