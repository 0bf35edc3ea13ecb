#!/bin/bash
# run_e2e.sh TEST PROGRAM [ARGS...]: runs one end-to-end test script in a
# fresh Xvfb session (1024x768, 24 bits). Skips (77) without xvfb-run.
command -v xvfb-run >/dev/null || { echo "SKIP: xvfb-run is not installed"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
test=$1
shift
# A random first display number: sessions of other test runs on the same
# machine that all start looking at :99 race for it.
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" bash "$here/$test" "$@"
