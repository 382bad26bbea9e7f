#!/usr/bin/env bash
# The real program under a real X server: started with two videos, it opens its window with the
# caption from Preferences.ini and keeps running until it is closed.
set -euo pipefail
app=$1
media=$2
export APP="$app" MEDIA="$media"
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -u
    "$APP/splicora" "$MEDIA/av.avi" "$MEDIA/silent.mp4" 2>/dev/null &
    pid=$!
    for _ in $(seq 1 100); do
        if xdotool search --name "^Splicora V2\.0$" >/dev/null 2>&1; then
            kill -0 "$pid" || { echo "the program ended early"; exit 1; }
            kill "$pid"
            wait "$pid" 2>/dev/null
            echo "window shown"
            exit 0
        fi
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window"; exit 1; }
        sleep 0.1
    done
    echo "no window within 10 s"
    kill "$pid"
    exit 1
'
