#include "tasks/ListRules.h"

#include "tasks/TimeText.h"

#include <array>

QList<int> SpreadWidthChange(const QList<int> &widths, int delta) {
    static constexpr std::array<double, 4> kShares{0.49, 0.17, 0.15, 0.19};
    QList<int> result = widths;
    for (qsizetype i = 0; i < result.size() && i < qsizetype(kShares.size()); ++i)
        result[i] = int(RoundHalfEven(result[i] + delta * kShares[size_t(i)]));
    return result;
}
