#!/bin/bash
# The author's loop end to end: PROGRAM quadrix roxx --watch plays mohn.cs,
# picks up an edit of it while it plays (the new declaration reaches the
# log, at the timeline position it had), and the seek keys move the
# timeline: F9 ten seconds on, F5 back to the start.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools
start_window_manager

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID 2>/dev/null; rm -rf "$work"' EXIT
printf 'Alt:OBJECT(Base);\n-1 Alt.W*1;\n' >"$work/mohn.cs"
log="$work/stderr.log"
(cd "$work" && exec "$@" 2>"$log") &
PROGRAM_PID=$!

window=$(find_window Wolkenfahrt)
[ -n "$window" ] || fail "no main window"
wait_for_line '^Alt neues Dummy' 20 "$log" || fail "the script never ran"
sleep 1
printf 'Alt:OBJECT(Base);\n-1 Alt.W*1;\nNeu:OBJECT(Base);\n' >"$work/mohn.cs"
wait_for_line 'reloaded 0:0[1-9]' 5 "$log" || fail "the edit was not picked up at the timeline position"
wait_for_line '^Neu neues Dummy' 5 "$log" || fail "the edited script's declaration never reached the log"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowactivate --sync "$window"
xdotool key --window "$window" F9
wait_for_line 'moved to 0:1[0-9]' 5 "$log" || fail "F9 did not move ten seconds on"
xdotool key --window "$window" F5
wait_for_line 'moved to 0:00.00' 5 "$log" || fail "F5 did not go back to the start"
printf 'Alt:OBJECT(Base);\n-1 Alt.W*1;\nNeu:KAPUTT(1);\n' >"$work/mohn.cs"
wait_for_line 'unbekannter Objekttyp' 5 "$log" || fail "a script that no longer reads was not reported"
kill -0 $PROGRAM_PID 2>/dev/null || fail "a broken edit ended the program"
xdotool key --window "$window" Escape
wait_for_exit $PROGRAM_PID 15 || fail "Escape did not end the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after Escape, want 0"
echo "PASS: $(grep -c 'reloaded\|moved to' "$log") rebuilds"
