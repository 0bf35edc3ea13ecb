# Shared helpers of the end-to-end tests; sourced inside an Xvfb session.

fail() {
  [ -f "$work/stderr.log" ] && tail -n 20 "$work/stderr.log" >&2  # the program's own last words
  echo "FAIL: $*" >&2
  exit 1
}

# Every tool the tests use, else skip (exit 77).
need_tools() {
  for tool in openbox xdotool xwininfo xdpyinfo import python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

start_window_manager() {
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  sleep 0.5
}

# Waits up to $2 seconds for a line matching $1 in file $3.
wait_for_line() {
  local pattern=$1 seconds=$2 file=$3
  for _ in $(seq 1 $((seconds * 10))); do
    grep -q -- "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end; its status in EXIT_STATUS.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      EXIT_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

screenshot() {
  [ -n "$ARTIFACTS" ] && import -window root "$ARTIFACTS/$1.png" 2>/dev/null
  return 0
}

# Waits up to 20 seconds for a visible window named exactly $1; prints its id.
# (Polls instead of "search --sync": a window that vanishes during the
# search can make xdotool give up early.)
find_window() {
  local id
  for _ in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
