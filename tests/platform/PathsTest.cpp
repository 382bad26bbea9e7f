#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../common/WorkingFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ostream>

namespace {

using namespace platform;

// ---------------------------------------------------------------------------------------------
// Text rules: one table per function, each row an input and the answer.

struct TextCase {
    const char *input;
    const char *expected;
};

std::ostream &operator<<(std::ostream &os, const TextCase &c) {
    return os << "\"" << c.input << "\" -> \"" << c.expected << "\"";
}

class IncludeBackslashRule : public ::testing::TestWithParam<TextCase> {};
TEST_P(IncludeBackslashRule, Gives) {
    EXPECT_EQ(IncludeBackslash(GetParam().input).toStdString(), GetParam().expected);
}
const TextCase kIncludeBackslash[] = {
    {"/v", "/v/"},    {"/v/", "/v/"}, {"/", "/"},        {"v", "v/"},
    {"/v//", "/v//"}, {"", ""},       {"/a b", "/a b/"}, {"/v\\", "/v\\/"},
};
INSTANTIATE_TEST_SUITE_P(Rules, IncludeBackslashRule, ::testing::ValuesIn(kIncludeBackslash));

class RemoveFileExtRule : public ::testing::TestWithParam<TextCase> {};
TEST_P(RemoveFileExtRule, Gives) {
    EXPECT_EQ(RemoveFileExt(GetParam().input).toStdString(), GetParam().expected);
}
const TextCase kRemoveFileExt[] = {
    {"clip.part1.avi", "clip.part1"},
    {"Default.bpf", "Default"},
    {"clip", "clip"},
    {"clip.", "clip"},
    {".bpf", ""},
    {"a.B.C", "a.B"},
    {"", ""},
    // Defined on names: a dot in a folder part is still the last dot.
    {"/a.b/c", "/a"},
};
INSTANTIATE_TEST_SUITE_P(Rules, RemoveFileExtRule, ::testing::ValuesIn(kRemoveFileExt));

class ExtractFileDirRule : public ::testing::TestWithParam<TextCase> {};
TEST_P(ExtractFileDirRule, Gives) {
    EXPECT_EQ(ExtractFileDir(GetParam().input).toStdString(), GetParam().expected);
}
const TextCase kExtractFileDir[] = {
    {"/out.avi", "/"},
    {"/v/out.avi", "/v"},
    {"/v/", "/v"},
    {"out.avi", ""},
    {"/", "/"},
    {"", ""},
    {"//out.avi", "//"},
    {"/v//out.avi", "/v//"},
    {"a/b.c/d.avi", "a/b.c"},
    {"rel/out.avi", "rel"},
};
INSTANTIATE_TEST_SUITE_P(Rules, ExtractFileDirRule, ::testing::ValuesIn(kExtractFileDir));

class ExtractFileNameRule : public ::testing::TestWithParam<TextCase> {};
TEST_P(ExtractFileNameRule, Gives) {
    EXPECT_EQ(ExtractFileName(GetParam().input).toStdString(), GetParam().expected);
}
const TextCase kExtractFileName[] = {
    {"/v/out.avi", "out.avi"}, {"out.avi", "out.avi"}, {"/v/", ""}, {"/", ""}, {"", ""},
    {"/a.b/c", "c"},
};
INSTANTIATE_TEST_SUITE_P(Rules, ExtractFileNameRule, ::testing::ValuesIn(kExtractFileName));

class ExtractFileExtRule : public ::testing::TestWithParam<TextCase> {};
TEST_P(ExtractFileExtRule, Gives) {
    EXPECT_EQ(ExtractFileExt(GetParam().input).toStdString(), GetParam().expected);
}
const TextCase kExtractFileExt[] = {
    {"/v/out.AVI", ".AVI"}, {"out.avi", ".avi"}, {"a.tar.gz", ".gz"},
    {"/a.b/c", ""},         {"/a.b/", ""},       {"clip", ""},
    {"clip.", "."},         {".avi", ".avi"},    {"", ""},
    {"/v.d/x.mp4", ".mp4"},
};
INSTANTIATE_TEST_SUITE_P(Rules, ExtractFileExtRule, ::testing::ValuesIn(kExtractFileExt));

// ---------------------------------------------------------------------------------------------
// Listing a folder

// A folder as a user's video or profile folder may hold it: wanted files in mixed case, files of
// other types, a hidden file, a subfolder whose own name looks like a wanted file and that holds
// wanted files, and a FIFO with a wanted extension.
class Folder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char *name :
             {"b.MPG", "a.avi", "C.avi", "notes.txt", "c.mpeg", "x.avi.txt", "avi", ".avi",
              ".hidden.avi", "Default.bpf", "fast.BPF", "old.bpf.bak", "bpf", "Zeta.bpf"}) {
            QFile file(m_dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        }
        QDir root(m_dir.path());
        ASSERT_TRUE(root.mkdir("folder.avi"));
        ASSERT_TRUE(root.mkdir("more.bpf"));
        ASSERT_TRUE(root.mkdir("sub"));
        for (const char *name : {"sub/inner.avi", "sub/inner.bpf", "folder.avi/in.avi"}) {
            QFile file(m_dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        }
        ASSERT_EQ(mkfifo(QFile::encodeName(m_dir.filePath("pipe.avi")).constData(), 0600), 0);
        ASSERT_EQ(mkfifo(QFile::encodeName(m_dir.filePath("pipe.bpf")).constData(), 0600), 0);
    }

    QTemporaryDir m_dir;
};

struct ListCase {
    const char *pattern;  // an extension or a mask
    QStringList expected;
};

std::ostream &operator<<(std::ostream &os, const ListCase &c) {
    return os << "\"" << c.pattern << "\" -> " << c.expected.join(", ").toStdString();
}

const ListCase kByExt[] = {
    {".bpf", {"Default.bpf", "fast.BPF", "Zeta.bpf"}},
    {".BPF", {"Default.bpf", "fast.BPF", "Zeta.bpf"}},
    {".avi", {"a.avi", "C.avi"}},
    {".mpeg", {"c.mpeg"}},
    {".bak", {"old.bpf.bak"}},
    {"", {"avi", "bpf"}},
    {".mp4", {}},
    {"bpf", {}},
};

class ListByExt : public Folder, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListByExt, ListsMatchingPlainFilesSorted) {
    bool ok = false;
    EXPECT_EQ(ListFilesByExt(m_dir.path(), GetParam().pattern, &ok), GetParam().expected);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(Rules, ListByExt, ::testing::ValuesIn(kByExt));

const ListCase kByMask[] = {
    {"*.avi;*.mpg;*.mpeg;", {"a.avi", "b.MPG", "C.avi", "c.mpeg"}},
    {"*.AVI;", {"a.avi", "C.avi"}},
    {"*.mpg", {"b.MPG"}},
    {" *.mpg ; *.mpeg ;", {"b.MPG", "c.mpeg"}},
    {"*.avi*", {"a.avi", "C.avi", "x.avi.txt"}},
    {"a*", {"a.avi", "avi"}},
    {"?.avi", {"a.avi", "C.avi"}},
    {"*.mp4;", {}},
    {"", {}},
    {";;", {}},
};

class ListByMask : public Folder, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListByMask, ListsMatchingPlainFilesSorted) {
    EXPECT_EQ(ListFilesByMask(m_dir.path(), GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ListByMask, ::testing::ValuesIn(kByMask));

TEST_F(Folder, EverythingVisibleAndPlainForStar) {
    EXPECT_EQ(ListFilesByMask(m_dir.path(), "*"),
              (QStringList{"a.avi", "avi", "b.MPG", "bpf", "C.avi", "c.mpeg", "Default.bpf",
                           "fast.BPF", "notes.txt", "old.bpf.bak", "x.avi.txt", "Zeta.bpf"}));
}

TEST_F(Folder, FolderWithTrailingSeparatorListsTheSame) {
    EXPECT_EQ(ListFilesByExt(IncludeBackslash(m_dir.path()), ".bpf"),
              ListFilesByExt(m_dir.path(), ".bpf"));
    EXPECT_EQ(ListFilesByMask(IncludeBackslash(m_dir.path()), "*.mpg;"), QStringList{"b.MPG"});
}

TEST_F(Folder, NamesDifferingOnlyInCaseComeInAFixedOrder) {
    for (const char *name : {"a.AVI", "A.avi"}) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ListFilesByMask(m_dir.path(), "a.avi"), (QStringList{"A.avi", "a.AVI", "a.avi"}));
}

struct UnlistableCase {
    const char *name;
    const char *folder;  // relative to the temporary folder; "<empty>" for the empty text
};

std::ostream &operator<<(std::ostream &os, const UnlistableCase &c) {
    return os << c.name;
}

const UnlistableCase kUnlistable[] = {
    {"missing folder", "missing"},
    {"a file, not a folder", "notes.txt"},
    {"a FIFO, not a folder", "pipe.avi"},
    // The working folder holds matching files; an empty text must not list them.
    {"empty text", "<empty>"},
};

class Unlistable : public Folder, public ::testing::WithParamInterface<UnlistableCase> {};

TEST_P(Unlistable, GivesNothingAndSaysSo) {
    const WorkingFolder cwd(m_dir.path());
    const QString folder =
        QString(GetParam().folder) == "<empty>" ? QString() : m_dir.filePath(GetParam().folder);
    bool ok = true;
    EXPECT_TRUE(ListFilesByExt(folder, ".bpf", &ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ListFilesByExt(folder, ".bpf").isEmpty()) << "no flag asked for";
    EXPECT_TRUE(ListFilesByMask(folder, "*.avi;*.bpf;").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rules, Unlistable, ::testing::ValuesIn(kUnlistable));

TEST(EmptyFolder, IsListableAndEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    bool ok = false;
    EXPECT_TRUE(ListFilesByExt(dir.path(), ".bpf", &ok).isEmpty());
    EXPECT_TRUE(ok);
}

TEST_F(Folder, UnreadableFolderIsUnlistable) {
    const QString folder = m_dir.filePath("sub");
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::WriteOwner));
    const bool readable = QFileInfo(folder).isReadable();
    bool ok = true;
    const QStringList names = ListFilesByExt(folder, ".bpf", &ok);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (readable)
        GTEST_SKIP() << "this user may read an unreadable folder (root)";
    EXPECT_TRUE(names.isEmpty());
    EXPECT_FALSE(ok);
}

}  // namespace
