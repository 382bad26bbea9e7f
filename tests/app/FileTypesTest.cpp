#include "app/FileTypes.h"

#include "../common/QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

TEST(FileTypes, ExtensionListsDifferInMpegAndFlv) {
    EXPECT_EQ(OutputExtensions(),
              (QStringList{".avi", ".mpg", ".mp4", ".wmv", ".mov", ".vob", ".asf", ".flv"}));
    EXPECT_EQ(InputExtensions(),
              (QStringList{".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"}));
    EXPECT_EQ(InputMask(InputExtensions()),
              QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"));
}

TEST(FileTypes, OutputFilterHasOnePairPerTypeThenAllFiles) {
    const QList<FilterPair> expected{
        {"AVI Files (*.avi)", "*.avi"}, {"MPG Files (*.mpg)", "*.mpg"},
        {"MP4 Files (*.mp4)", "*.mp4"}, {"WMV Files (*.wmv)", "*.wmv"},
        {"MOV Files (*.mov)", "*.mov"}, {"VOB Files (*.vob)", "*.vob"},
        {"ASF Files (*.asf)", "*.asf"}, {"FLV Files (*.flv)", "*.flv"},
        {"All Files (*.*)", "*.*"},
    };
    EXPECT_EQ(OutputFilter(OutputExtensions()), expected);
    EXPECT_EQ(JoinedFilter(OutputFilter(OutputExtensions())),
              QStringLiteral("AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MP4 Files "
                             "(*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB "
                             "Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|FLV Files "
                             "(*.flv)|*.flv|All Files (*.*)|*.*"));
}

TEST(FileTypes, InputFilterStartsWithAllSupportFiles) {
    const QList<FilterPair> pairs = InputFilter(InputExtensions());
    ASSERT_EQ(pairs.size(), 10);
    // No blank before the parenthesis in the first description.
    EXPECT_EQ(pairs.at(0),
              (FilterPair{"All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)",
                          "*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"}));
    EXPECT_EQ(pairs.at(3), (FilterPair{"MPEG Files (*.mpeg)", "*.mpeg"}));
    EXPECT_EQ(pairs.at(8), (FilterPair{"ASF Files (*.asf)", "*.asf"}));
    EXPECT_EQ(pairs.at(9), (FilterPair{"All Files (*.*)", "*.*"}));
}

TEST(FileTypes, QtFilterListsPatternsSeparatedByBlanks) {
    const QStringList filters = QtFilter(InputFilter(InputExtensions()));
    ASSERT_EQ(filters.size(), 10);
    EXPECT_EQ(
        filters.at(0),
        QStringLiteral("All Support Files(*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov *.vob *.asf)"));
    EXPECT_EQ(filters.at(1), QStringLiteral("AVI Files (*.avi)"));
    EXPECT_EQ(filters.at(9), QStringLiteral("All Files (*.*)"));
}

struct SupportedCase {
    const char *file;
    bool supported;
};
std::ostream &operator<<(std::ostream &os, const SupportedCase &c) {
    return os << c.file;
}

class IsSupportedFileTest : public ::testing::TestWithParam<SupportedCase> {};

TEST_P(IsSupportedFileTest, ComparesTheLowerCaseExtension) {
    EXPECT_EQ(IsSupportedFile(QString::fromUtf8(GetParam().file), InputExtensions()),
              GetParam().supported);
}

const SupportedCase kSupportedCases[] = {
    {"/v/a.avi", true},      {"/v/A.AVI", true},
    {"/v/b.MPEG", true},     {"/v/c.Mp4", true},
    {"/v/d.flv", false},  // an output type, not an input type
    {"/v/list.tmp", false},  {"/v/noext", false},
    {"/v.avi/noext", false},  // the point belongs to a folder
    {"/v/a.avi.txt", false}, {"/v/.avi", true},
    {"/v/a.", false},        {"/v/a.AVİ", false},  // only A to Z change case
};
INSTANTIATE_TEST_SUITE_P(Table, IsSupportedFileTest, ::testing::ValuesIn(kSupportedCases));

}  // namespace
