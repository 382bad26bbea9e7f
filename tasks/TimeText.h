#pragma once

#include <QString>

// The program's one format for durations: hours, minutes and seconds with at least two digits
// each, and tenths after a point when they are not zero ("00:01:23.2").

// seconds must be 0 or more. Tenths round half to even, and 0.95 s or more of a fraction gives
// ten tenths: 59.96 s is "00:00:59.10".
QString SecondsToTimeText(double seconds);

// The seconds that a time text denotes, or -1 when the text is not one.
double TimeTextToSeconds(const QString &text);

// Rounds to the nearest whole number, an exact half to the even one, as every number that the
// program shows is rounded.
long long RoundHalfEven(double value);
