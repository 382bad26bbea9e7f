#pragma once

#include <QString>

// The media files that tests/media/make_media.sh makes once per test run.
namespace media {

inline QString path(const char *name) {
    return QStringLiteral(SPLICORA_TEST_MEDIA_DIR "/") + QLatin1String(name);
}

inline QString withSound() {
    return path("av.avi");
}  // 160x120, ~2.5 s
inline QString withoutSound() {
    return path("silent.mp4");
}  // 176x144, 1.2 s
inline QString audioOnly() {
    return path("audio-only.mp4");
}  // 2 s of sound
inline QString corrupt() {
    return path("corrupt.avi");
}  // text, not a video
inline QString empty() {
    return path("empty.avi");
}  // 0 bytes
inline QString textAsVideo() {
    return path("text.mpg");
}

}  // namespace media
