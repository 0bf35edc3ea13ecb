#!/usr/bin/env bash
# Without any OpenGL the program says so and ends with status 55.
set -uo pipefail
bin="$1"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
: > mohn.cs
# A window, frames and a video (which leaves no file behind).
for run in "env SDL_VIDEODRIVER=dummy $bin --mode windowed" \
           "env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent $bin --render out --seconds 0.1" \
           "env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent $bin --render clip.mp4 --seconds 0.1"; do
  $run 2>err.txt; status=$?
  [ "$status" -eq 55 ] && grep -q "Fatal Error: Konnte keinen Rendering-Kontext erstellen." err.txt ||
    { echo "$run: status $status"; cat err.txt; exit 1; }
done
leftovers=$(ls clip.mp4* 2>/dev/null)
[ -z "$leftovers" ] || { echo "a failed video render left: $leftovers"; exit 1; }
# Every interactive start with no display at all says so, points to
# --render and ends with status 1 within two seconds.
for form in "" "-XP" "quadrix roxx" "--mode windowed"; do
  start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$bin" $form 2>err3.txt; s3=$?
  ms=$((($(date +%s%N) - start) / 1000000))
  [ "$s3" -eq 1 ] || { echo "no display, '$form': status $s3 after $ms ms"; exit 1; }
  [ "$ms" -le 2000 ] || { echo "no display, '$form': $ms ms"; exit 1; }
  grep -q "no display available" err3.txt && grep -q -- "--render" err3.txt ||
    { echo "no display, '$form':"; cat err3.txt; exit 1; }
done
echo ok
