#!/usr/bin/env bash
# The command-line tools end to end: --check, --dump-scene, --module-info,
# --module-wav and --texture-png, with their exit statuses.
set -euo pipefail
bin="$1"; build="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\r\nWelt.M=0,0,-2,1;\r\nZahl:INTEGER(3);\r\nd10 Zahl*1;\r\nx:FOO(1);\r\n' > mohn.cs

# --check: one report, "N statements" on stdout, exit 1.
set +e; out=$("$bin" --check 2>err.txt); status=$?; set -e
[ "$status" -eq 1 ] || { echo "check status $status"; exit 1; }
[ "$out" = "5 statements" ] || { echo "check said '$out'"; exit 1; }
grep -qx "Zeile: 5  unbekannter Objekttyp" err.txt
printf 'a:OBJECT(x);\n' > good.cs
"$bin" --check good.cs >/dev/null

# --dump-scene after 20 steps: the variable has been added to once.
"$bin" --dump-scene dump.json --steps 20 2>/dev/null
python3 - dump.json <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
assert d["steps"] == 20 and d["timeCounter"] == 20, d["timeCounter"]
names = [o["name"] for o in d["objects"]]
assert names == ["Base", "Welt"], names
assert d["objects"][1]["transform"][11] == -2
assert d["variables"] == [{"name": "Zahl", "value": 4}], d["variables"]
assert d["timeline"]["recordCount"] == 5
assert isinstance(d["music"], dict)
PY
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
echo ok
