#!/usr/bin/env bash
# Builds the engine and plays the bundled production. Without a display the
# production is rendered to files instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$root/build" wolkenfahrt
cd "$root/production"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/wolkenfahrt" "$@"
fi
echo "No display: rendering the production to $root/frames instead."
"$root/build/wolkenfahrt" --render "$root/frames" --seconds 10 "$@"
echo "Frames written to $root/frames/"
