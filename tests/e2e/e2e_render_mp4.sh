#!/usr/bin/env bash
# --render to an .mp4 writes H.264 video of the asked length and frame rate.
set -euo pipefail
bin="$1"
command -v ffprobe >/dev/null || { echo "ffprobe missing"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\n' > mohn.cs
"$bin" --render "out file.mp4" --seconds 1 --fps 25
info=$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_name,r_frame_rate,width,height,nb_frames -of default=noprint_wrappers=1 "out file.mp4")
echo "$info"
echo "$info" | grep -q "codec_name=h264"
echo "$info" | grep -q "r_frame_rate=25/1"
echo "$info" | grep -q "width=640"
echo "$info" | grep -q "nb_frames=25"
audio=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels -of default=noprint_wrappers=1 "out file.mp4")
echo "$audio"
echo "$audio" | grep -q "codec_name=aac"
echo "$audio" | grep -q "sample_rate=44100"
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "out file.mp4")
python3 -c "import sys; d=float(sys.argv[1]); assert 0.95 <= d <= 1.1, d" "$duration"
[ ! -e "out file.mp4.video.mp4" ] || { echo "temporary file left behind"; exit 1; }
echo ok
