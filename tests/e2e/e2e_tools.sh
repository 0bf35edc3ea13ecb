#!/usr/bin/env bash
# The command-line tools end to end: --check, --dump-scene, --module-info,
# --module-wav and --texture-png, and model3ds, with their exit statuses.
set -euo pipefail
bin="$1"; build="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\r\nWelt.M=0,0,-2,1;\r\nZahl:INTEGER(3);\r\nd10 Zahl*1;\r\nx:FOO(1);\r\n' > mohn.cs

# --check runs the timeline: one report with its line, a summary, exit 1.
set +e; "$bin" --check >out.txt 2>err.txt; status=$?; set -e
[ "$status" -eq 1 ] || { echo "check status $status"; exit 1; }
grep -qx "mohn.cs:5: unbekannter Objekttyp" out.txt
grep -q "^mohn.cs: 5 statements, 1 reports, 0 warnings; ran to 0:00.11 (nothing left to run)$" out.txt || { cat out.txt; exit 1; }
mkdir -p sub && printf 'a:OBJECT(x);\n' > sub/good.cs
"$bin" --check sub/good.cs >/dev/null
# --timeline draws the same run.
"$bin" --timeline tl.svg sub/good.cs 2>/dev/null
grep -q 'data-line="1" data-from="1" data-to="2"' tl.svg

# --dump-scene to stdout is one JSON document (its content: the unit tests).
"$bin" --dump-scene - --steps 1 2>/dev/null | python3 -c 'import json,sys; json.load(sys.stdin)'

# A long dump with music costs the same per step however far it goes: 200 s
# of timeline in well under the limit. The music played from step 1: its
# 8 820 000 frames reached the ring's refill points (every 4000 frames) 2205
# times, one block each.
mkdir long
cp "$build/production/music/wolkenfahrt.mod" long/
printf 'Musik:AUDIO(wolkenfahrt.mod);
PLAYMOD();
Zahl:INTEGER(0);
-1 Zahl*1;
' > long/mohn.cs
(cd long && timeout 30 "$bin" --dump-scene ../long.json --steps 20000 2>/dev/null)
python3 - long.json <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
assert d["variables"] == [{"name": "Zahl", "value": 20000}], d["variables"]
m = d["music"]
assert m["playing"] and m["blocksRendered"] == 2205 and m["framesRendered"] == 2205 * 4000, m
PY

# Module tools on the production's composed module.
mod="$build/production/music/wolkenfahrt.mod"
"$bin" --module-info "$mod" | python3 -c 'import json,sys; d=json.load(sys.stdin); assert d["durationSeconds"] > 60, d'
"$bin" --module-wav "$mod" song.wav --seconds 2
[ "$(stat -c %s song.wav)" -eq $((44 + 2 * 44100 * 4)) ] || { echo "wav size $(stat -c %s song.wav)"; exit 1; }
set +e; "$bin" --module-info missing.mod 2>/dev/null; status=$?; set -e
[ "$status" -eq 2 ] || { echo "missing module status $status"; exit 1; }

# --texture-png on a production texture.
"$bin" --texture-png sky.png "$build/production/textures/himmel.tex"
python3 - sky.png <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
assert struct.unpack('>IIBB', data[16:26]) == (256, 256, 8, 6)
PY
# model3ds: DETAIL is a whole 0, 1 or 2 and the shape a known one; anything
# else is refused with the allowed range, status 2 and no file. info lists on
# stdout only and fails on a file it cannot read or that is damaged.
m3="$build/tools/model3ds"
for args in "sphere bad.3ds abc" "sphere bad.3ds -1" "sphere bad.3ds 3" "sphere bad.3ds 30" \
            "sphere bad.3ds 100000" "sphere bad.3ds 1x" "cube bad.3ds" "box bad.3ds 1 2"; do
  set +e; "$m3" write $args >/dev/null 2>err.txt; status=$?; set -e
  [ "$status" -eq 2 ] || { echo "model3ds write $args: status $status"; exit 1; }
  grep -q "0, 1 or 2\|box, sphere" err.txt || { echo "model3ds write $args said: $(cat err.txt)"; exit 1; }
  [ ! -e bad.3ds ] || { echo "model3ds write $args wrote a file"; exit 1; }
done
"$m3" write sphere s.3ds 2 >/dev/null
"$m3" info s.3ds > info.txt 2>/dev/null
[ "$(cat info.txt)" = "$(printf '1 meshes\n0 Sphere: 475 vertices, 816 triangles, parent (model), box (-1 -1 -1)..(1 1 1)')" ] \
  || { echo "model3ds info said: $(cat info.txt)"; exit 1; }
head -c 300 s.3ds > cut.3ds
for f in cut.3ds missing.3ds; do
  set +e; "$m3" info "$f" >/dev/null 2>err.txt; status=$?; set -e
  [ "$status" -eq 1 ] && grep -q "$f" err.txt || { echo "model3ds info $f: status $status, $(cat err.txt)"; exit 1; }
done
echo ok
