#!/bin/bash
# run_e2e.sh TEST PROGRAM [ARGS...]: runs one end-to-end test script in a
# fresh Xvfb session (1024x768, 24 bits). Skips (77) without xvfb-run.
command -v xvfb-run >/dev/null || { echo "SKIP: xvfb-run is not installed"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
test=$1
shift
exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/$test" "$@"
