#!/bin/bash
# F12 in windowed play (PROGRAM --mode windowed) saves screenshot-0001.png
# beside the script, and it is the frame on screen: the same picture (within
# a hair) as a --render frame of the same still scene, which is not blank.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools
start_window_manager

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID 2>/dev/null; rm -rf "$work"' EXIT
# A still scene: grey ground below a small flare.
printf 'Sonne:LIGHT(1);\nGlanz:SPRITE(Flare);\nGlanz.M=3;\nGlanz.M*0,0,-2,1;\nBoden:HEIGHTFIELD(x);\nBoden.M=0,-1,0,1;\n' \
  >"$work/mohn.cs"
(cd "$work" && exec "$@" --mode windowed --quality low 2>"$work/stderr.log") &
PROGRAM_PID=$!
find_window Wolkenfahrt >/dev/null || fail "no demo window"
wait_for_line 'first frame' 20 "$work/stderr.log" || fail "no first frame"
sleep 0.5
xdotool key F12
wait_for_line 'screenshot saved as' 10 "$work/stderr.log" || fail "F12 saved nothing"
[ -f "$work/screenshot-0001.png" ] || fail "no screenshot-0001.png beside the script"
xdotool key Escape
wait_for_exit $PROGRAM_PID 10 || fail "Escape did not end the program"

(cd "$work" && "$@" --render frames --seconds 0.2 --fps 10 --quality low 2>/dev/null) || fail "render failed"
shot="$work/screenshot-0001.png" frame="$work/frames/frame-00001.png"
[ "$(identify -format '%wx%h' "$shot")" = "$(identify -format '%wx%h' "$frame")" ] ||
  fail "screenshot $(identify -format '%wx%h' "$shot"), frame $(identify -format '%wx%h' "$frame")"
mean=$(identify -format '%[fx:int(255 * mean)]' "$shot")
[ "$mean" -gt 20 ] || fail "the screenshot is blank (mean $mean)"
differing=$(compare -metric AE -fuzz 2% "$shot" "$frame" null: 2>&1)
[ "$differing" -lt 100 ] || fail "$differing pixels differ from the rendered frame"
echo "PASS: screenshot mean $mean, $differing pixels off the rendered frame"
