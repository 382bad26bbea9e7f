#include "app/CommandLine.h"

#include "../common/QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct LinesCase {
    const char *name;
    const char *text;
    QStringList lines;
};
std::ostream &operator<<(std::ostream &os, const LinesCase &c) {
    return os << c.name;
}

class SplitLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SplitLinesTest, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitLines(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

const LinesCase kLinesCases[] = {
    {"CrLf", "a\r\nb\r\n", {"a", "b"}},
    {"Lf", "a\nb\n", {"a", "b"}},
    {"Cr", "a\rb\r", {"a", "b"}},
    {"LastLineWithoutEnd", "a\nb", {"a", "b"}},
    {"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
    {"EmptyLinesKept", "a\n\nb\n", {"a", "", "b"}},
    {"BlanksKept", " a \n", {" a "}},
    {"CrCrIsTwoLines", "a\r\rb", {"a", "", "b"}},
    {"Empty", "", {}},
};
INSTANTIATE_TEST_SUITE_P(Table,
                         SplitLinesTest,
                         ::testing::ValuesIn(kLinesCases),
                         [](const auto &info) { return std::string(info.param.name); });

ReadFile fileHolding(const QByteArray &bytes, QStringList *read) {
    return [bytes, read](const QString &path, QString *) -> std::optional<QByteArray> {
        read->append(path);
        return bytes;
    };
}

TEST(EntriesFromArguments, PlainArgumentsAreEntriesInOrder) {
    QStringList read;
    const auto result =
        EntriesFromArguments({"/v/b.avi", "/v/a.avi", "/v/list.tmp"}, fileHolding("x", &read));
    EXPECT_EQ(result.entries, (QStringList{"/v/b.avi", "/v/a.avi", "/v/list.tmp"}));
    EXPECT_TRUE(read.isEmpty());  // a .tmp file after the first argument is no list
}

TEST(EntriesFromArguments, AFirstTmpArgumentInAnyCaseIsAListFile) {
    for (const char *first : {"/v/list.tmp", "/v/LIST.TMP", "/v/List.Tmp"}) {
        SCOPED_TRACE(first);
        QStringList read;
        const auto result = EntriesFromArguments({first, "/v/ignored.avi"},
                                                 fileHolding("/v/a.avi\r\n\r\n/v/é.mpg", &read));
        EXPECT_EQ(read, QStringList{first});
        EXPECT_EQ(result.entries, (QStringList{"/v/a.avi", "", "/v/é.mpg"}));
        EXPECT_TRUE(result.error.isEmpty());
    }
}

TEST(EntriesFromArguments, AnUnreadableListFileGivesNoEntries) {
    const auto result =
        EntriesFromArguments({"/v/list.tmp", "/v/a.avi"}, [](const QString &, QString *error) {
            *error = QStringLiteral("No such file or directory");
            return std::optional<QByteArray>();
        });
    EXPECT_TRUE(result.entries.isEmpty());
    EXPECT_EQ(result.error, QStringLiteral("No such file or directory"));
}

TEST(EntriesFromArguments, NoArgumentsNoEntries) {
    QStringList read;
    EXPECT_TRUE(EntriesFromArguments({}, fileHolding("", &read)).entries.isEmpty());
}

}  // namespace
