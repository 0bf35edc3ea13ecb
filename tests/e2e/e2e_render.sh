#!/usr/bin/env bash
# --render without a display writes 60 frames for one second (the parts
# test compares their pixels, the production test looks at them).
set -euo pipefail
bin="$1"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\r\n' > mohn.cs
"$bin" --render out --seconds 1
count=$(ls out | grep -c '^frame-[0-9]\{5\}\.png$')
[ "$count" -eq 60 ] || { echo "expected 60 frames, got $count"; exit 1; }
[ -f out/frame-00000.png ] && [ -f out/frame-00059.png ] || { echo "frame names"; exit 1; }
# Bad targets fail with a message instead of crashing.
touch afile
if "$bin" --render afile --seconds 0.1 2>err.txt; then echo "a file as folder should fail"; exit 1; fi
grep -q "not a folder" err.txt
echo ok
