#include "tasks/Probe.h"

#include "../common/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>

#include "../common/QtPrinters.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ostream>

namespace {

struct ProbeCase {
    const char *name;
    QString (*file)();
    double minSeconds;
    double maxSeconds;
    const char *width;
    const char *height;
};
std::ostream &operator<<(std::ostream &os, const ProbeCase &c) {
    return os << c.name;
}

class ProbeMediaTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeMediaTest, ReadsPlayTimeAndFrameSize) {
    const ProbeCase &c = GetParam();
    const ProbeAnswer answer = ProbeMedia(c.file());
    const std::optional<double> ms = ParsePlayTime(answer.playTime);
    ASSERT_TRUE(ms) << answer.playTime.toStdString();
    EXPECT_GE(*ms / 1000, c.minSeconds);
    EXPECT_LE(*ms / 1000, c.maxSeconds);
    EXPECT_EQ(answer.width.toStdString(), c.width);
    EXPECT_EQ(answer.height.toStdString(), c.height);
}

const ProbeCase kProbeCases[] = {
    {"WithSound", media::withSound, 2.4, 2.7, "160", "120"},
    {"WithoutSound", media::withoutSound, 1.1, 1.3, "176", "144"},
    {"AudioOnly", media::audioOnly, 1.9, 2.1, "", ""},
};
INSTANTIATE_TEST_SUITE_P(Media,
                         ProbeMediaTest,
                         ::testing::ValuesIn(kProbeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ProbeMedia, FilesThatAreNoVideoGiveNoPlayTime) {
    for (const QString &file : {media::corrupt(), media::empty(), media::textAsVideo(),
                                media::path("does-not-exist.avi")}) {
        SCOPED_TRACE(file.toStdString());
        const ProbeAnswer answer = ProbeMedia(file);
        EXPECT_FALSE(ParsePlayTime(answer.playTime));
        EXPECT_EQ(answer.width, QString());
    }
}

TEST(ProbeMedia, NamedPipeIsNotReadFrom) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.avi"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const ProbeAnswer answer = ProbeMedia(fifo);
    EXPECT_FALSE(ParsePlayTime(answer.playTime));
}

TEST(ProbeMedia, ReadsFilesWhoseNamesHoldBlanksQuotesAndAccents) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("my \"best\" clip's été.avi"));
    ASSERT_TRUE(QFile::copy(media::withSound(), name));
    const ProbeAnswer answer = ProbeMedia(name);
    EXPECT_TRUE(ParsePlayTime(answer.playTime)) << answer.playTime.toStdString();
    EXPECT_EQ(answer.width, QStringLiteral("160"));
}

TEST(ParsePlayTime, AcceptsDecimalMilliseconds) {
    EXPECT_EQ(ParsePlayTime(QStringLiteral("2560")), 2560.0);
    EXPECT_EQ(ParsePlayTime(QStringLiteral("2560.500")), 2560.5);
    EXPECT_EQ(ParsePlayTime(QStringLiteral(" 40 ")), 40.0);
    EXPECT_FALSE(ParsePlayTime(QString()));
    EXPECT_FALSE(ParsePlayTime(QStringLiteral("abc")));
    EXPECT_FALSE(ParsePlayTime(QStringLiteral("12 ms")));
    EXPECT_FALSE(ParsePlayTime(QStringLiteral("inf")));
}

}  // namespace
