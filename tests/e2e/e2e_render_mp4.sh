#!/usr/bin/env bash
# --render to an .mp4 writes H.264 video of the asked length and frame rate
# with the music as AAC.
set -euo pipefail
bin="$1"
command -v ffprobe >/dev/null || { echo "ffprobe missing"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'Welt:OBJECT(x);\n' > mohn.cs
"$bin" --render "out file.mp4" --seconds 1 --fps 25
info=$(ffprobe -v error -show_entries stream=codec_name,r_frame_rate,width,nb_frames,sample_rate -of csv=p=0 "out file.mp4")
echo "$info"
[[ "$(echo $info)" == "h264,640,25/1,25 aac,44100,"* ]] || { echo "streams: $info"; exit 1; }
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "out file.mp4")
python3 -c "import sys; d=float(sys.argv[1]); assert 0.95 <= d <= 1.1, d" "$duration"
[ ! -e "out file.mp4.video.mp4" ] || { echo "temporary file left behind"; exit 1; }
echo ok
