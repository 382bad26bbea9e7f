#!/usr/bin/env bash
# Makes the small media files that the tests probe and add, once per test run.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# Video with sound: 2.5 s, 160x120.
ff -f lavfi -i testsrc=size=160x120:rate=25:duration=2.5 -f lavfi -i sine=frequency=440:duration=2.5 \
   -c:v mpeg4 -c:a libmp3lame -shortest av.avi
# Video without sound: 1.2 s, 176x144.
ff -f lavfi -i testsrc2=size=176x144:rate=25:duration=1.2 -c:v libx264 -preset ultrafast -an \
   -pix_fmt yuv420p silent.mp4
# Sound without video, in a container with a video extension.
ff -f lavfi -i sine=frequency=220:duration=2 -c:a aac audio-only.mp4
# Not a video at all, and nothing at all, with video extensions.
printf 'this is no video\n%.0s' {1..256} > corrupt.avi
printf 'not a video\n' > text.mpg
: > empty.avi
touch .stamp
