#!/usr/bin/env bash
# Without any OpenGL the program says so and ends with status 55.
set -uo pipefail
bin="$1"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
: > mohn.cs
SDL_VIDEODRIVER=dummy "$bin" --mode windowed 2>err1.txt; s1=$?
__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent "$bin" --render out --seconds 0.1 2>err2.txt; s2=$?
# A video render without GL ends the same way and leaves no file behind.
__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent "$bin" --render clip.mp4 --seconds 0.1 2>err4.txt; s4=$?
cat err1.txt err2.txt err4.txt
[ "$s4" -eq 55 ] || { echo "video without EGL: status $s4"; exit 1; }
leftovers=$(ls clip.mp4* 2>/dev/null)
[ -z "$leftovers" ] || { echo "a failed video render left: $leftovers"; exit 1; }
[ "$s1" -eq 55 ] || { echo "window without GL: status $s1"; exit 1; }
[ "$s2" -eq 55 ] || { echo "headless without EGL: status $s2"; exit 1; }
grep -q "Fatal Error: Konnte keinen Rendering-Kontext erstellen." err1.txt
grep -q "Fatal Error: Konnte keinen Rendering-Kontext erstellen." err2.txt
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
