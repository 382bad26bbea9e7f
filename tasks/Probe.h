#pragma once

#include <QString>

#include <optional>

// What the media-information library says of a file: the play time of the general stream in
// milliseconds and the frame size of the first video stream, each as the library's text (empty
// when it has none, as for a file it cannot read or one without video).
struct ProbeAnswer {
    QString playTime;
    QString width;
    QString height;
};

ProbeAnswer ProbeMedia(const QString &fileName);

// The play time answer as a number of milliseconds: a decimal number with "." as the point,
// blanks around it allowed; nothing for an empty or unreadable answer.
std::optional<double> ParsePlayTime(const QString &answer);
