#!/usr/bin/env bash
# A timeline rendered in parts with --from equals the whole render: the same
# PNG frames under the same numbers, the same audio samples, and parts joined
# by the README's ffmpeg command play the whole music without a gap.
set -euo pipefail
bin="$1"; build="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir music
cp "$build/production/music/wolkenfahrt.mod" music/
# A moving sprite; the music started within START's fast-forward, stopped
# in the first part and started again in the second; the end (170 steps of
# timeline, 20 of them fast-forwarded) shown in frame 37 at 25 fps.
cat > mohn.cs <<'EOF'
Musik:AUDIO(music\wolkenfahrt.mod);
Vorlauf:START(20);
d7 PLAYMOD();
Glanz:SPRITE(Flare);
Glanz.M=2;
Glanz.M*-1,0,-5,1;
-1 Glanz.M*0.004,0,0,1;
d41 STOPMOD();
d50 PLAYMOD();
d72 Schluss:ENDE("x");
EOF
r() { "$bin" --render "$@" --fps 25 2>>log.txt; }
r whole
r a --seconds 0.6
r b --from 0.6 --seconds 0.4
r c --from 1
python3 - <<'PY'
import hashlib, os, wave
def frames(folder):
    return {f: hashlib.sha256(open(os.path.join(folder, f), 'rb').read()).hexdigest()
            for f in os.listdir(folder) if f.startswith('frame-')}
def samples(folder):
    with wave.open(os.path.join(folder, 'audio.wav')) as w:
        return w.readframes(w.getnframes())
whole = frames('whole')
assert sorted(whole) == ['frame-%05d.png' % k for k in range(38)], sorted(whole)
assert len(set(whole.values())) > 30, 'the sprite should move'
parts = [('a', range(0, 15)), ('b', range(15, 25)), ('c', range(25, 38))]
for name, span in parts:
    got = frames(name)
    assert sorted(got) == ['frame-%05d.png' % k for k in span], (name, sorted(got))
    for f, h in got.items():
        assert whole[f] == h, (name, f, 'differs from the whole render')
audio = samples('whole')
assert len(audio) // 4 == 38 * 44100 // 25, len(audio) // 4
joined = b''
for name, span in parts:
    start = span.start * 44100 // 25 * 4
    part = samples(name)
    assert part == audio[start:start + len(part)], (name, 'audio differs from the whole render')
    joined += part
assert joined == audio, ('joined', len(joined) // 4, len(audio) // 4)
loud = max(abs(int.from_bytes(audio[i:i + 2], 'little', signed=True)) for i in range(0, len(audio), 2))
assert loud > 1000, loud
print('parts ok')
PY
# A file where the folder should be is refused; beyond the end there is nothing to render.
touch afile
if "$bin" --render afile --seconds 0.1 2>err.txt; then echo "a file as folder should fail"; exit 1; fi
grep -q "not a folder" err.txt
if "$bin" --render d --from 2 --fps 25 2>err.txt; then echo "a part after ENDE should fail"; exit 1; fi
grep -q "ends before" err.txt
# Video parts joined with one ffmpeg command: every sample once, no gap.
r a.mkv --seconds 0.6
r b.mkv --from 0.6 --seconds 0.4
r c.mkv --from 1
printf "file '%s'\n" a.mkv b.mkv c.mkv > parts.txt
ffmpeg -v error -f concat -safe 0 -i parts.txt -c copy joined.mkv
for f in a b c joined; do ffmpeg -v error -i $f.mkv -f s16le - > $f.pcm; done
cmp joined.pcm <(cat a.pcm b.pcm c.pcm)
cmp joined.pcm <(tail -c +45 whole/audio.wav)
frames=$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 joined.mkv)
[ "$frames" -eq 38 ] || { echo "joined video has $frames frames"; exit 1; }
echo ok
