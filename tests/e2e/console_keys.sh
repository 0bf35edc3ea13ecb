#!/bin/bash
# Console mode end to end: PROGRAM [ARGS...] must open the debug console and
# the main window "Wolkenfahrt" and run the script mohn.cs of its working
# directory. Checks the log on stderr, the step counter after Pause + Space,
# the input line (Scroll Lock, typing, Enter) and that Escape exits with 0.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools
start_window_manager

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID 2>/dev/null; rm -rf "$work"' EXIT
# "eins" on the first step, "zwei" 1000 steps (10 s) later.
printf 'MESSAGE(eins);\nd1000 MESSAGE(zwei);\n' >"$work/mohn.cs"
log="$work/stderr.log"
(cd "$work" && exec "$@" 2>"$log") &
PROGRAM_PID=$!

window=$(find_window Wolkenfahrt)
[ -n "$window" ] || fail "no main window"
wait_for_line '^eins' 20 "$log" || fail "the first script line never reached the log"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowactivate --sync "$window"

# Pause stops the timeline; Space then runs exactly 1000 steps at once.
xdotool key --window "$window" Pause
sleep 0.3
grep -q '^zwei' "$log" && fail "zwei printed before the fast-forward"
xdotool key --window "$window" space
wait_for_line 'time counter' 10 "$log" || fail "no fast-forward"
counter=$(grep -o 'time counter [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
[ "$counter" -ge 1000 ] || fail "step counter $counter after Space, want at least 1000"
wait_for_line '^zwei' 5 "$log" || fail "the line 1000 steps later did not come with Space"
screenshot console-after-space

# Input mode: Scroll Lock, a name, Enter; the console keeps running.
xdotool key --window "$window" Scroll_Lock
xdotool key --window "$window" r i n g
sleep 0.3
screenshot console-input-mode
xdotool key --window "$window" Return
sleep 0.3
screenshot console-inspector
kill -0 $PROGRAM_PID 2>/dev/null || fail "the program ended on its own"

xdotool key --window "$window" Escape
wait_for_exit $PROGRAM_PID 15 || fail "Escape did not end the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after Escape, want 0"
echo "PASS: counter $counter after Space"
