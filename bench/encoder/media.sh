# Sourced by the bench scripts: makes the generated inputs once into $media (kept between runs).
ff() { ffmpeg -nostdin -v error -y "$@"; }
make_clip() {  # name, then ffmpeg input and output options
    local name=$1
    shift
    [ -s "$media/$name" ] && return 0
    ff "$@" "$media/part.$name" && mv -f "$media/part.$name" "$media/$name"
}
mkdir -p "$media"
src() {  # size rate seconds sample_rate
    echo -f lavfi -i "testsrc2=size=$1:rate=$2:duration=$3" \
         -f lavfi -i "sine=frequency=440:beep_factor=4:sample_rate=$4:duration=$3"
}
make_clip hd20.mp4 $(src 1280x720 25 20 48000) -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -c:a aac -shortest
make_clip clip1.avi $(src 640x480 25 8 44100) -c:v mpeg4 -q:v 3 -c:a libmp3lame -shortest
make_clip clip2.mov $(src 480x360 24 8 22050) -c:v mpeg4 -q:v 3 -c:a pcm_s16le -shortest
make_clip clip3.mpg $(src 720x480 30000/1001 8 48000) -c:v mpeg2video -b:v 4M -c:a mp2 -shortest
make_clip clip4.wmv $(src 320x240 15 8 32000) -c:v wmv2 -b:v 1M -c:a wmav2 -shortest
make_clip clip5.mp4 $(src 1280x720 25 8 48000) -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -c:a aac -shortest
make_clip hd10.mp4 $(src 1280x720 25 10 48000) -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -c:a aac -shortest
make_clip hd60.mp4 $(src 1280x720 25 60 48000) -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -c:a aac -shortest
