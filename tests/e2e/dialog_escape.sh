#!/bin/bash
# Start-up dialog end to end: Escape ends PROGRAM [ARGS...] at once with
# status 31, closing the window with 30; neither writes settings. No focus
# is given by hand: the dialog must take the keyboard focus itself.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools
start_window_manager

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
(cd "$work" && exec "$@" >"$work/stdout.log" 2>"$work/stderr.log") &
PROGRAM_PID=$!

find_window Wolkenfahrt >/dev/null || fail "no dialog window"
sleep 0.3
xdotool key Escape
wait_for_exit $PROGRAM_PID 10 || fail "Escape did not end the program"
[ "$EXIT_STATUS" -eq 31 ] || fail "exit status $EXIT_STATUS after Escape, want 31"
[ -e "$XDG_CONFIG_HOME/wolkenfahrt/settings" ] && fail "settings written after Escape"

# Closing the window (the window manager's Alt+F4) ends it with status 30.
# Under heavy load the key sometimes reaches the dialog before openbox has
# taken it over (the program then sees the keys itself); one retry tells
# that race apart from a real fault.
close_dialog() {
  (cd "$work" && exec "$@" >"$work/stdout.log" 2>"$work/stderr.log") &
  PROGRAM_PID=$!
  find_window Wolkenfahrt >/dev/null || fail "no dialog window the second time"
  sleep 0.5
  xdotool key alt+F4
  wait_for_exit $PROGRAM_PID 10 || fail "closing the window did not end the program"
}
close_dialog "$@"
if [ "$EXIT_STATUS" -ne 30 ]; then
  echo "note: exit status $EXIT_STATUS after Alt+F4, trying once more"
  close_dialog "$@"
fi
[ "$EXIT_STATUS" -eq 30 ] || fail "exit status $EXIT_STATUS after closing, want 30"
[ -e "$XDG_CONFIG_HOME/wolkenfahrt/settings" ] && fail "settings written after closing"
echo "PASS: status 30 after closing, nothing saved"
