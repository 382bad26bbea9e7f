#include "tasks/TimeText.h"

#include "../common/QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct SecondsCase {
    double seconds;
    const char *text;
};
std::ostream &operator<<(std::ostream &os, const SecondsCase &c) {
    return os << c.seconds << " -> " << c.text;
}

class SecondsToTimeTextTest : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(SecondsToTimeTextTest, WritesTheTimeText) {
    EXPECT_EQ(SecondsToTimeText(GetParam().seconds).toStdString(), GetParam().text);
}

const SecondsCase kSecondsCases[] = {
    {0, "00:00:00"},        {7, "00:00:07"},        {5.04, "00:00:05"},  // less than half a tenth
    {12.345, "00:00:12.3"}, {83.25, "00:01:23.2"},   // 2.5 tenths round to the even 2
    {83.75, "00:01:23.8"},                           // 7.5 tenths round to the even 8
    {3725.5, "01:02:05.5"}, {59.96, "00:00:59.10"},  // a fraction of 0.95 or more gives ten tenths
    {360000, "100:00:00"},                           // more than two digits of hours where needed
    {3599.9, "00:59:59.9"}, {86399, "23:59:59"},
};
INSTANTIATE_TEST_SUITE_P(Table, SecondsToTimeTextTest, ::testing::ValuesIn(kSecondsCases));

struct TextCase {
    const char *text;
    double seconds;
};
std::ostream &operator<<(std::ostream &os, const TextCase &c) {
    return os << '"' << c.text << "\" -> " << c.seconds;
}

class TimeTextToSecondsTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TimeTextToSecondsTest, ReadsTheSeconds) {
    EXPECT_DOUBLE_EQ(TimeTextToSeconds(QString::fromUtf8(GetParam().text)), GetParam().seconds);
}

const TextCase kTextCases[] = {
    {"1:2:3", 3723},  // no part needs two digits
    {"00:01:23.2", 83.2},
    {"00:00:59.10", 59.1},
    {"100:00:00", 360000},
    {"00:00", -1},
    {"00:00:.5", -1},  // seconds must not begin with the point
    {"", -1},
    {"x", -1},
    {"a:00:00", -1},
    {"00:b:00", -1},
    {"00:00:1x", -1},
    {"00:00:", -1},
    {":00:00", -1},
    {"00:00:1.", -1},
    {"00:00:1:2", -1},  // the seconds part holds the third ":"
    {" 00:00:01", -1},
};
INSTANTIATE_TEST_SUITE_P(Table, TimeTextToSecondsTest, ::testing::ValuesIn(kTextCases));

TEST(TimeTextRoundTrip, PlayTimesReadBackToTheirTenths) {
    // Not 59.96 s: its text "00:00:59.10" reads back as 59.1, as the table above has it.
    for (double seconds : {0.0, 1.5, 83.25, 3725.5, 7199.94}) {
        SCOPED_TRACE(seconds);
        const QString text = SecondsToTimeText(seconds);
        const double back = TimeTextToSeconds(text);
        EXPECT_NEAR(back, seconds, 0.051) << text.toStdString();
    }
}

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNumber) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(78.5), 78);
    EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

}  // namespace
