#!/bin/bash
# Test inputs for the encoder: small, of different containers, sizes, frame rates and sample
# rates, made once per test run from ffmpeg's generated sources.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
ff() { ffmpeg -nostdin -v error -y "$@"; }

# H.264 + AAC in MP4, 25 fps, 48 kHz.
ff -f lavfi -i testsrc2=size=320x240:rate=25:duration=3 \
   -f lavfi -i sine=frequency=440:sample_rate=48000:duration=3 \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest h264_aac.mp4
# MPEG-4 part 2 + mono PCM in QuickTime, 24 fps, 22.05 kHz, an odd length.
ff -f lavfi -i testsrc=size=240x180:rate=24:duration=2.5 \
   -f lavfi -i sine=frequency=330:sample_rate=22050:duration=2.5 \
   -c:v mpeg4 -c:a pcm_s16le -ac 1 mpeg4_pcm.mov
# MPEG-2 + MP2 in an MPEG program stream, NTSC rate, 44.1 kHz.
ff -f lavfi -i testsrc=size=352x288:rate=30000/1001:duration=2 \
   -f lavfi -i sine=frequency=550:sample_rate=44100:duration=2 \
   -c:v mpeg2video -c:a mp2 -b:a 128k mpeg2_mp2.mpg
# WMV2 + WMA in ASF, 15 fps, 32 kHz.
ff -f lavfi -i testsrc=size=176x144:rate=15:duration=2 \
   -f lavfi -i sine=frequency=660:sample_rate=32000:duration=2 \
   -c:v wmv2 -c:a wmav2 wmv2_wma.wmv
# Pictures without sound: MJPEG in AVI, 20 fps.
ff -f lavfi -i testsrc=size=160x120:rate=20:duration=2 -c:v mjpeg -q:v 5 video_only.avi
# Sound without pictures: MP3, 22.05 kHz.
ff -f lavfi -i sine=frequency=880:sample_rate=22050:duration=2 -c:a libmp3lame audio_only.mp3
# 20 s at 25 fps, for exact frame counts.
ff -f lavfi -i testsrc=size=160x120:rate=25:duration=20 \
   -f lavfi -i sine=frequency=440:sample_rate=44100:duration=20 \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest long_25fps.mp4
# An AVI whose index holds empty chunks where frames were left out (10 fps, every third kept):
# the muxer writes an empty chunk for each missing frame.
ff -f lavfi -i testsrc=size=160x120:rate=10:duration=3 -vf "select=not(mod(n\,3))" \
   -fps_mode passthrough -c:v mpeg4 -q:v 3 empty_chunks.avi
# Not a video at all.
echo "this is not a video" > not_a_video.avi
touch done.stamp
