#include "tasks/TimeText.h"

#include <cmath>
#include <cstdint>

long long RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone
    // changed it; rounding by hand keeps the rule independent of that.
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return static_cast<long long>(result);
}

QString SecondsToTimeText(double seconds) {
    const std::int64_t t = static_cast<std::int64_t>(seconds);
    const std::int64_t h = t / 3600;
    const std::int64_t m = (t - 3600 * h) / 60;
    const std::int64_t s = t - 3600 * h - 60 * m;
    const long long tenths =
        RoundHalfEven((seconds - 3600.0 * static_cast<double>(h) - 60.0 * static_cast<double>(m) -
                       static_cast<double>(s)) *
                      10.0);

    const QChar zero(u'0');
    QString text =
        QStringLiteral("%1:%2:%3").arg(h, 2, 10, zero).arg(m, 2, 10, zero).arg(s, 2, 10, zero);
    if (tenths != 0)
        text += u'.' + QString::number(tenths);
    return text;
}

namespace {

bool isDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A whole decimal number: digits only.
bool parseWhole(QStringView text, double *value) {
    if (!isDigits(text))
        return false;
    *value = text.toDouble();
    return true;
}

// Digits, optionally followed by "." and more digits; never a leading ".".
bool parseSeconds(QStringView text, double *value) {
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return parseWhole(text, value);
    if (!isDigits(text.first(point)) || !isDigits(text.sliced(point + 1)))
        return false;
    bool ok = false;
    *value = text.toString().toDouble(&ok);
    return ok;
}

}  // namespace

double TimeTextToSeconds(const QString &text) {
    const qsizetype first = text.indexOf(u':');
    if (first < 0)
        return -1;
    const QStringView hours = QStringView(text).first(first);
    const QStringView rest = QStringView(text).sliced(first + 1);
    const qsizetype second = rest.indexOf(u':');
    if (second < 0)
        return -1;
    const QStringView minutes = rest.first(second);
    const QStringView secs = rest.sliced(second + 1);

    double h = 0, m = 0, s = 0;
    if (!parseWhole(hours, &h) || !parseWhole(minutes, &m) || !parseSeconds(secs, &s))
        return -1;
    return 3600.0 * h + 60.0 * m + s;
}
