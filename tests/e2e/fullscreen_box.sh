#!/bin/bash
# Message boxes over the full-screen demo (PROGRAM -XP), on a bare X server
# and then under openbox. A box at start-up (no mohn.cs) sits over a window
# that is already black, not over the red window beneath it. A MESSAGE after
# one second leaves the demo window viewable and covering the screen; Return
# alone (no click) dismisses the box; the demo window is then focused and
# still full screen, and the timeline goes on to its ENDE.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"
need_tools

work=$(mktemp -d)
trap 'kill $PROGRAM_PID $WM_PID $RED_PID 2>/dev/null; rm -rf "$work"' EXIT
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }

# Waits up to 5 s for $1 to hold; on time-out fails with $2.
expect() {
  for _ in $(seq 1 50); do eval "$1" && return 0; sleep 0.1; done
  fail "$2"
}
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
covers_screen() {
  xwininfo -id "$1" | awk -v w="$screen_w" -v h="$screen_h" '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { ww = $NF } /Height:/ { hh = $NF }
    END { exit !(x == 0 && y == 0 && ww == w && hh == h) }'
}
box_gone() { ! xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; }

start() {
  (cd "$work" && exec "$@" -XP 2>"$work/stderr.log") &
  PROGRAM_PID=$!
  MAIN=$(find_window Wolkenfahrt) || fail "$WM_NAME: no demo window"
}

run_checks() {
  # A start-up error before the first frame: the box over a black window.
  rm -f "$work/mohn.cs"
  display -geometry +0+0 -size "${screen_w}x$screen_h" xc:red 2>/dev/null &
  RED_PID=$!
  expect '[ "$(pixel 20 $((screen_h - 20)))" = "#FF0000" ]' "$WM_NAME: the red window did not show"
  start "$@"
  find_window Error >/dev/null || fail "$WM_NAME: no box for the missing script"
  sleep 0.3
  screenshot "$WM_NAME-startup-box"
  [ "$(pixel 20 $((screen_h - 20)))" = "#000000" ] || fail "$WM_NAME: behind the start-up box the window shows $(pixel 20 $((screen_h - 20))), not black"
  xdotool key Return
  expect box_gone "$WM_NAME: Return did not dismiss the start-up box"
  kill $RED_PID
  expect '[ "$(xdotool getwindowfocus)" = "$MAIN" ]' "$WM_NAME: the demo window has no focus after the start-up box"
  xdotool key Escape
  wait_for_exit $PROGRAM_PID 10 || fail "$WM_NAME: Escape did not end the program"
  [ "$EXIT_STATUS" -eq 0 ] || fail "$WM_NAME: exit status $EXIT_STATUS, want 0"

  # A MESSAGE in full screen, and the timeline after it.
  printf 'Welt:OBJECT(x);\nd100 MESSAGE(hallo);\nd200 x:ENDE(fertig);\n' >"$work/mohn.cs"
  start "$@"
  find_window Error >/dev/null || fail "$WM_NAME: no box for MESSAGE"
  sleep 0.3
  screenshot "$WM_NAME-message-box"
  viewable "$MAIN" || fail "$WM_NAME: the demo window is not viewable behind its box"
  covers_screen "$MAIN" || fail "$WM_NAME: the demo window does not cover the screen behind its box"
  xdotool key Return
  expect box_gone "$WM_NAME: Return did not dismiss the box"
  expect '[ "$(xdotool getwindowfocus)" = "$MAIN" ]' "$WM_NAME: focus on $(xdotool getwindowfocus), not the demo window"
  viewable "$MAIN" || fail "$WM_NAME: the demo window is not viewable after the box"
  covers_screen "$MAIN" || fail "$WM_NAME: the demo window is no longer full screen after the box"
  wait_for_line '^fertig' 10 "$work/stderr.log" || fail "$WM_NAME: the timeline did not reach ENDE after the box"
  find_window Error >/dev/null || fail "$WM_NAME: no box for ENDE"
  xdotool key Return
  wait_for_exit $PROGRAM_PID 10 || fail "$WM_NAME: the program did not end after ENDE"
  [ "$EXIT_STATUS" -eq 0 ] || fail "$WM_NAME: exit status $EXIT_STATUS after ENDE, want 0"
}

WM_NAME=bare
run_checks "$@"
WM_NAME=openbox
start_window_manager
run_checks "$@"
echo "PASS: boxes over full screen, bare and under openbox"
