#!/bin/bash
# Start-up dialog end to end: PROGRAM [ARGS...] must show the dialog. Clicks
# the Resolution ball twice and presses Enter, then checks the settings file
# ($XDG_CONFIG_HOME/wolkenfahrt/settings). No focus is given by hand: the
# dialog must have the keyboard focus, and every click, the first included,
# must reach it. A program that goes on into the demo afterwards is ended
# with Escape.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools
start_window_manager

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
settings="$XDG_CONFIG_HOME/wolkenfahrt/settings"
# A script for the demo that follows the dialog (a missing one would be
# reported in a message box that waits for a click).
printf 'Welt:OBJECT(x);\n' >"$work/mohn.cs"
(cd "$work" && exec "$@" >"$work/stdout.log" 2>"$work/stderr.log") &
PROGRAM_PID=$!

window=$(find_window Wolkenfahrt)
[ -n "$window" ] || fail "no dialog window"

# The balls move: find the Resolution ball anew before each click. The
# dialog says on stderr where each click landed; a click that missed (the
# ball moved on) is tried again, but a click that never arrived fails.
hits() { grep -c 'click at .* on Resolution' "$work/stderr.log"; }
CLICKS=0
click_resolution_ball() {
  local want=$(($(hits) + 1))
  for _ in $(seq 1 10); do
    python3 "$here/click_ball.py" >/dev/null || return 1
    CLICKS=$((CLICKS + 1))
    sleep 0.3
    [ "$(grep -c 'click at' "$work/stderr.log")" -eq "$CLICKS" ] || fail "click $CLICKS did not reach the dialog"
    [ "$(hits)" -ge "$want" ] && return 0
    grep -q 'click at .* on \(Quality\|Start\)' "$work/stderr.log" && return 1
  done
  return 1
}
sleep 0.5
click_resolution_ball || fail "could not click the Resolution ball"
click_resolution_ball || fail "could not click the Resolution ball again"
screenshot dialog-before-enter
[ -e "$settings" ] && fail "settings written before the dialog ended"
xdotool key Return

for _ in $(seq 1 100); do
  [ -e "$settings" ] && break
  sleep 0.1
done
[ -e "$settings" ] || fail "no settings file after Enter"
want=$'Resolution=2\nQuality=0\nStart=0'
[ "$(cat "$settings")" = "$want" ] || fail "settings: $(cat "$settings")"

# The program may go on into the demo: Escape, then make sure it ends.
if ! wait_for_exit $PROGRAM_PID 2; then
  demo=""
  for _ in $(seq 1 100); do
    demo=$(xdotool search --onlyvisible --name '^Wolkenfahrt$' 2>/dev/null | grep -v "^$window\$" | head -1)
    [ -n "$demo" ] && break
    sleep 0.1
  done
  [ -n "$demo" ] || fail "neither an end nor a demo window after the dialog"
  sleep 0.5
  screenshot demo-after-dialog
  xdotool key Escape
  wait_for_exit $PROGRAM_PID 15 || fail "the program did not end"
  [ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after Escape in the demo, want 0"
fi
echo "PASS: settings $(tr '\n' ' ' <"$settings")"
