#!/usr/bin/env bash
# Under Xvfb the window opens with the title "Wolkenfahrt", Pause does not
# end it, and Escape ends the program with status 0.
set -uo pipefail
bin="$1"
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run/xdotool missing"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\n' > mohn.cs
cat > drive.sh <<EOS
#!/usr/bin/env bash
"$bin" --mode windowed --quality low & pid=\$!
wid=""
for i in \$(seq 1 100); do
  wid=\$(xdotool search --name '^Wolkenfahrt\$' 2>/dev/null | head -1)
  [ -n "\$wid" ] && break
  sleep 0.1
done
[ -n "\$wid" ] || { echo "no window"; kill \$pid; exit 1; }
xdotool windowfocus --sync "\$wid"
xdotool key --window "\$wid" Pause
sleep 0.3
kill -0 \$pid || { echo "Pause ended the program"; exit 1; }
xdotool key --window "\$wid" Escape
for i in \$(seq 1 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
wait \$pid; echo "status \$?"
EOS
chmod +x drive.sh
out=$(xvfb-run -a -s "-screen 0 1024x768x24" ./drive.sh 2>&1)
echo "$out"
echo "$out" | grep -q "^status 0$"
