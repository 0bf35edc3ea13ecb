#!/usr/bin/env bash
# Builds the engine and the bundled production, then plays it with the
# start-up dialog. Without a display it renders the whole production to
# wolkenfahrt.mp4 instead and says where the file is.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$root/build" wolkenfahrt production_folder
cd "$root/build/production"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/wolkenfahrt" "$@"
fi
echo "No display: rendering the production to a video instead (this takes a minute or two)."
"$root/build/wolkenfahrt" --render "$root/wolkenfahrt.mp4" --mode 800x600 --quality normal "$@"
echo "The production is in $root/wolkenfahrt.mp4"
