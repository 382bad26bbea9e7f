#include "platform/Ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "../common/WorkingFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace {

using namespace platform::ini;

std::ostream &printBytes(std::ostream &os, const QByteArray &bytes) {
    return os << QString::fromUtf8(bytes.toPercentEncoding(" =[];\"")).toStdString();
}

class IniFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString &name = QStringLiteral("Preferences.ini")) const {
        return m_dir.filePath(name);
    }

    QString make(const QByteArray &content,
                 const QString &name = QStringLiteral("Preferences.ini")) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(content), content.size());
        return path(name);
    }

    static QByteArray bytesOf(const QString &filePath) {
        QFile file(filePath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << filePath.toStdString();
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

// ---------------------------------------------------------------------------------------------
// Reading text

struct ReadCase {
    const char *name;
    QByteArray content;
    const char *section;
    const char *key;
    QString expected;  // "<default>" stands for the default passed in
};

std::ostream &operator<<(std::ostream &os, const ReadCase &c) {
    os << c.name << ": [" << c.section << "] " << c.key << " in ";
    return printBytes(os, c.content);
}

const QString kDefault = QStringLiteral("<default>");

const ReadCase kReadCases[] = {
    {"plain", "[Main]\nVersion=2.5\n", "Main", "Version", "2.5"},
    {"section case", "[MAIN]\nVersion=2.5\n", "main", "Version", "2.5"},
    {"key case", "[Main]\nAUTO EXIT=1\n", "Main", "auto exit", "1"},
    {"blank inside name counts", "[Main]\nAuto  Exit=1\n", "Main", "Auto Exit", kDefault},
    {"blanks around section name", "  [ Main ]  \nA=1\n", "Main", "A", "1"},
    {"tabs around section name", "\t[\tMain\t]\nA=1\n", "Main", "A", "1"},
    {"text after closing bracket", "[Main] ; the current ones\nA=1\n", "Main", "A", "1"},
    {"blanks around key", "[Main]\n  A \t=1\n", "Main", "A", "1"},
    {"asked names are trimmed", "[Main]\nA=1\n", " Main ", " A ", "1"},
    {"blanks around value", "[Main]\nA=  \t2.5 \t \n", "Main", "A", "2.5"},
    {"blanks inside value kept", "[Main]\nA=a  b\n", "Main", "A", "a  b"},
    {"quotes dropped", "[Main]\nA=\"a b\"\n", "Main", "A", "a b"},
    {"blanks inside quotes kept", "[Main]\nA=  \" a \"  \n", "Main", "A", " a "},
    {"only one pair of quotes", "[Main]\nA=\"\"x\"\"\n", "Main", "A", "\"x\""},
    {"empty quotes", "[Main]\nA=\"\"\n", "Main", "A", ""},
    {"lone quote", "[Main]\nA=\"\n", "Main", "A", "\""},
    {"opening quote only", "[Main]\nA=\"abc\n", "Main", "A", "\"abc"},
    {"closing quote only", "[Main]\nA=abc\"\n", "Main", "A", "abc\""},
    {"inner quotes kept", "[Main]\nA=a \"b\" c\n", "Main", "A", "a \"b\" c"},
    {"single quotes kept", "[Main]\nA='x'\n", "Main", "A", "'x'"},
    {"equals sign inside value", "[Main]\nA=b=c\n", "Main", "A", "b=c"},
    {"present but empty", "[Main]\nTemp Dir=\n", "Main", "Temp Dir", ""},
    {"present, only blanks", "[Main]\nTemp Dir=   \n", "Main", "Temp Dir", ""},
    {"missing key", "[Main]\nA=1\n", "Main", "B", kDefault},
    {"missing section", "[Main]\nA=1\n", "Default", "A", kDefault},
    {"key of another section", "[Main]\nA=1\n[Default]\nB=2\n", "Main", "B", kDefault},
    {"key before any section", "A=1\n[Main]\nB=2\n", "Main", "A", kDefault},
    {"key name is not a prefix", "[Main]\nAsk2=1\n", "Main", "Ask", kDefault},
    {"section name is not a prefix", "[Main2]\nA=1\n", "Main", "A", kDefault},
    {"first key wins", "[Main]\nA=1\na=2\n", "Main", "A", "1"},
    {"first section wins", "[Main]\nA=1\n[main]\nA=2\n", "Main", "A", "1"},
    {"later copy of section unread", "[Main]\nA=1\n[Other]\n[Main]\nB=2\n", "Main", "B", kDefault},
    {"comment line", "[Main]\n;A=1\nA=2\n", "Main", "A", "2"},
    {"indented comment line", "[Main]\n  ;A=1\n", "Main", "A", kDefault},
    {"semicolon inside value kept", "[Main]\nA=1;2\n", "Main", "A", "1;2"},
    {"commented section", ";[Main]\nA=1\n", "Main", "A", kDefault},
    {"line without equals ignored", "[Main]\nA\nA=1\n", "Main", "A", "1"},
    {"CR LF line ends", "[Other]\r\nA=0\r\n[Main]\r\nA=1\r\nB=2\r\n", "Main", "A", "1"},
    {"CR line ends", "[Other]\rA=0\r[Main]\rA=1\rB=2\r", "Main", "B", "2"},
    {"mixed line ends", "[Main]\r\nA=1\rB=2\nC=3", "Main", "C", "3"},
    {"last line without line end", "[Main]\nA=1", "Main", "A", "1"},
    {"LF CR is two line ends", "[Main]\n\rA=1\n\r", "Main", "A", "1"},
    {"UTF-8 value", "[Main]\nOutput File=/v/Größe ☃.avi\n", "Main", "Output File",
     QStringLiteral("/v/Größe ☃.avi")},
    {"UTF-8 names, case ignored", "[ÄHNLICH]\nÖL=1\n", "ähnlich", "öl", "1"},
    {"UTF-8 byte order mark", "\xEF\xBB\xBF[Main]\nA=1\n", "Main", "A", "1"},
};

class IniRead : public IniFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(IniRead, GivesValueOrDefault) {
    const ReadCase &c = GetParam();
    const QString file = make(c.content);
    const QString got = readString(file, c.section, c.key, kDefault);
    EXPECT_EQ(got.toStdString(), c.expected.toStdString());
    if (c.expected.isEmpty()) {
        EXPECT_FALSE(got.isNull()) << "a present key gives a text, not nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, IniRead, ::testing::ValuesIn(kReadCases));

TEST_F(IniFile, MissingFileGivesDefault) {
    EXPECT_EQ(readString(path(), "Main", "Version", "2.0"), "2.0");
    EXPECT_EQ(readInteger(path(), "Main", "Profile", -7), -7);
    EXPECT_TRUE(readBool(path(), "Main", "Ask", true));
    EXPECT_FALSE(QFileInfo::exists(path())) << "reading must not create the file";
}

TEST_F(IniFile, FolderInPlaceOfFileGivesDefault) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Preferences.ini"));
    EXPECT_EQ(readString(path(), "Main", "Version", "2.0"), "2.0");
}

TEST_F(IniFile, EveryReadSeesTheFileAsItIsNow) {
    const QString file = make("[Main]\nVersion=2.0\n");
    ASSERT_EQ(readString(file, "Main", "Version", "x"), "2.0");
    make("[Main]\nVersion=2.5\n");
    EXPECT_EQ(readString(file, "Main", "Version", "x"), "2.5");
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(readString(file, "Main", "Version", "x"), "x");
}

// ---------------------------------------------------------------------------------------------
// The length cap

struct CapCase {
    const char *name;
    QString stored;    // what stands after "=" in the file
    QString expected;  // what a read gives
};

std::ostream &operator<<(std::ostream &os, const CapCase &c) {
    return os << c.name << " (" << c.stored.size() << " UTF-16 units stored)";
}

QString as(int count, char16_t c = u'a') {
    return QString(count, QChar(c));
}

const QString kSnowman = QStringLiteral("☃");                  // one UTF-16 unit, three UTF-8 bytes
const QString kEmoji = QString::fromUtf8("\xF0\x9F\x8E\xAC");  // two UTF-16 units

const CapCase kCapCases[] = {
    {"one below", as(2046), as(2046)},
    {"at the cap", as(2047), as(2047)},
    {"one over", as(2047) + "b", as(2047)},
    {"far over", as(5000, u'c'), as(2047, u'c')},
    {"quotes dropped before the cut", "\"" + as(2047) + "\"", as(2047)},
    {"blanks dropped before the cut", "   " + as(2047) + "b", as(2047)},
    {"characters, not bytes", as(2046, u'\u2603') + kSnowman + "b", as(2046, u'\u2603') + kSnowman},
    {"a surrogate pair is one character", as(2046) + kEmoji + "b", as(2046) + kEmoji},
    {"no half pair at the cut", as(2046) + kEmoji + kEmoji, as(2046) + kEmoji},
};

class IniCap : public IniFile, public ::testing::WithParamInterface<CapCase> {};

TEST_P(IniCap, CutsAtTheCap) {
    const QString file = make("[Main]\nOutput File=" + GetParam().stored.toUtf8() + "\nNext=1\n");
    const QString got = readString(file, "Main", "Output File", kDefault);
    EXPECT_EQ(got.size(), GetParam().expected.size());
    EXPECT_TRUE(got == GetParam().expected);
    EXPECT_EQ(readString(file, "Main", "Next", kDefault), "1") << "the cut must stay in its line";
}

INSTANTIATE_TEST_SUITE_P(Rules, IniCap, ::testing::ValuesIn(kCapCases));

// ---------------------------------------------------------------------------------------------
// Numbers

struct IntegerCase {
    const char *text;
    int defaultValue;
    int expected;
};

std::ostream &operator<<(std::ostream &os, const IntegerCase &c) {
    return os << "\"" << c.text << "\" with default " << c.defaultValue;
}

const IntegerCase kIntegerCases[] = {
    {"0", 77, 0},
    {"2", 77, 2},
    {"42", 77, 42},
    {"-1", 77, -1},
    {"-42", 77, -42},
    {"-0", 77, 0},
    {"007", 77, 7},
    {"2147483647", 77, INT_MAX},
    {"-2147483648", 77, INT_MIN},
    {"2147483648", 77, 77},
    {"-2147483649", 77, 77},
    {"99999999999999999999999", 77, 77},
    {"0x10", 77, 16},
    {"0X10", 77, 16},
    {"0x1f", 77, 31},
    {"0xAbC", 77, 2748},
    {"0x0", 77, 0},
    {"0x7FFFFFFF", 77, INT_MAX},
    {"0x80000000", 77, 77},
    {"0xFFFFFFFF", 77, 77},
    {"0x000000000010", 77, 16},
    {"0x", 77, 77},
    {"0X", 77, 77},
    {"0", 77, 0},
    {"09", 77, 9},
    {"0x1G", 77, 77},
    {"0x-1", 77, 77},
    {"0x+1", 77, 77},
    {"-0x10", 77, 77},
    {"x10", 77, 77},
    {"0b11", 77, 77},
    {"", 77, 77},
    {"", -3, -3},
    {"-", 77, 77},
    {"--1", 77, 77},
    {"+5", 77, 77},
    {" 5", 77, 77},
    {"5 ", 77, 77},
    {"12abc", 77, 77},
    {"1.5", 77, 77},
    {"1e3", 77, 77},
    {"1,000", 77, 77},
    {"yes", 77, 77},
    {"true", 77, 77},
    {"\xD9\xA1\xD9\xA2", 77, 77},  // Arabic-Indic digits one and two
    {"\xEF\xBC\x95", 77, 77},      // fullwidth five
};

class IniInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, ParsesOrGivesDefault) {
    const IntegerCase &c = GetParam();
    EXPECT_EQ(parseInteger(QString::fromUtf8(c.text), c.defaultValue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniInteger, ::testing::ValuesIn(kIntegerCases));

TEST_F(IniFile, IntegerIsReadFromTheTrimmedUnquotedValue) {
    const QString file =
        make("[Main]\nProfile = \"0x10\" \nSpaced=  -3\t\nEmpty=\nWord=three\nQuoted=\" 4\"\n");
    EXPECT_EQ(readInteger(file, "Main", "Profile", 77), 16);
    EXPECT_EQ(readInteger(file, "main", "spaced", 77), -3);
    EXPECT_EQ(readInteger(file, "Main", "Empty", 77), 77);
    EXPECT_EQ(readInteger(file, "Main", "Word", 77), 77);
    EXPECT_EQ(readInteger(file, "Main", "Quoted", 77), 77) << "a blank inside the quotes stays";
    EXPECT_EQ(readInteger(file, "Main", "Missing", 77), 77);
}

struct BoolCase {
    const char *stored;  // nullptr: no such key
    bool defaultValue;
    bool expected;
};

std::ostream &operator<<(std::ostream &os, const BoolCase &c) {
    return os << (c.stored ? c.stored : "<missing>") << " with default " << c.defaultValue;
}

const BoolCase kBoolCases[] = {
    {"1", false, true},      {"0", true, false},          {"2", false, true},
    {"0x10", false, true},   {"-1", false, true},         {"0x0", true, false},
    {"00", true, false},     {"yes", false, false},       {"yes", true, true},
    {"no", true, true},      {"true", false, false},      {"", true, true},
    {"", false, false},      {"\"0\"", true, false},      {nullptr, true, true},
    {nullptr, false, false}, {"99999999999", true, true}, {"99999999999", false, false},
};

class IniBool : public IniFile, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(IniBool, ReadsAsInteger) {
    const BoolCase &c = GetParam();
    const QString file =
        make(c.stored ? "[Main]\nAuto Exit=" + QByteArray(c.stored) + "\n" : "[Main]\n");
    EXPECT_EQ(readBool(file, "Main", "Auto Exit", c.defaultValue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniBool, ::testing::ValuesIn(kBoolCases));

// ---------------------------------------------------------------------------------------------
// Writing

// A file as a user or an older version may leave it: Windows line ends, comments, sections and
// keys that the program does not know, blank lines, an indented key and a byte that is not UTF-8.
const QByteArray kHandEdited =
    "; Splicora preferences\r\n"
    "[Main]\r\n"
    "Version=2.0\r\n"
    "  Output File = /v/old.avi\r\n"
    "Auto Exit=0\r\n"
    "Window=maximised\r\n"
    "\r\n"
    "; factory defaults\r\n"
    "[Default]\r\n"
    "Ask=1\r\n"
    "\r\n"
    "[Plugins]\r\n"
    "Note=caf\xE9 latin-1\r\n";

struct WriteCase {
    const char *name;
    QByteArray before;
    const char *section;
    const char *key;
    QString value;
    QByteArray after;
    QString readBack = {};  // what a read gives afterwards; when not given, the value itself
};

std::ostream &operator<<(std::ostream &os, const WriteCase &c) {
    os << c.name << ": [" << c.section << "] " << c.key << "=" << c.value.toStdString() << " in ";
    return printBytes(os, c.before);
}

QByteArray withLine(const QByteArray &text, const QByteArray &oldLine, const QByteArray &newLine) {
    Q_ASSERT(text.count(oldLine) == 1);
    return QByteArray(text).replace(oldLine, newLine);
}

const WriteCase kWriteCases[] = {
    // Replacing a value
    {"replace, key spelling kept", kHandEdited, "main", "AUTO EXIT", "1",
     withLine(kHandEdited, "Auto Exit=0\r\n", "Auto Exit=1\r\n")},
    {"replace, text before = kept", kHandEdited, "Main", "Output File", "/v/new.avi",
     withLine(kHandEdited, "  Output File = /v/old.avi\r\n", "  Output File =/v/new.avi\r\n")},
    {"replace with empty value", kHandEdited, "Main", "Version", "",
     withLine(kHandEdited, "Version=2.0\r\n", "Version=\r\n")},
    {"replace in other section", kHandEdited, "Default", "Ask", "0",
     withLine(kHandEdited, "[Default]\r\nAsk=1\r\n", "[Default]\r\nAsk=0\r\n")},
    {"replace next to non-UTF-8 bytes", kHandEdited, "Plugins", "Note", "x",
     withLine(kHandEdited, "Note=caf\xE9 latin-1\r\n", "Note=x\r\n")},
    {"replace an empty value", "[Main]\nTemp Dir=\nA=1\n", "Main", "Temp Dir", "/tmp/",
     "[Main]\nTemp Dir=/tmp/\nA=1\n"},
    {"replace the first of two keys", "[Main]\nA=1\na=2\n", "Main", "A", "3", "[Main]\nA=3\na=2\n"},
    {"replace in the first of two sections", "[Main]\nA=1\n[main]\nA=2\n", "Main", "A", "3",
     "[Main]\nA=3\n[main]\nA=2\n"},
    {"replace on a last line without line end", "[Main]\nA=1", "Main", "A", "22", "[Main]\nA=22"},
    {"replace keeps CR line ends", "[Main]\rA=1\rB=2\r", "Main", "A", "5", "[Main]\rA=5\rB=2\r"},
    {"replace keeps the byte order mark", "\xEF\xBB\xBF[Main]\nA=1\n", "Main", "A", "2",
     "\xEF\xBB\xBF[Main]\nA=2\n"},
    {"replace writes quotes verbatim", "[Main]\nA=1\n", "Main", "A", "\"q\"", "[Main]\nA=\"q\"\n",
     "q"},
    {"replace with UTF-8", "[Main]\nA=1\n", "Main", "A", QStringLiteral("/v/Größe.avi"),
     "[Main]\nA=/v/Gr\xC3\xB6\xC3\x9F"
     "e.avi\n"},
    // Adding a key to a section that exists
    {"add key after the last key, CR LF", kHandEdited, "Main", "Ask", "1",
     withLine(kHandEdited, "Window=maximised\r\n", "Window=maximised\r\nAsk=1\r\n")},
    {"add key before blank lines and comments", kHandEdited, "Default", "Rename", "0",
     withLine(kHandEdited, "Ask=1\r\n", "Ask=1\r\nRename=0\r\n")},
    {"add key to the last section", kHandEdited, "Plugins", "Other", "y",
     kHandEdited + "Other=y\r\n"},
    {"add key to a section without keys", "[Main]\n\n[Default]\nA=1\n", "Main", "B", "2",
     "[Main]\nB=2\n\n[Default]\nA=1\n"},
    {"add key after a section line without line end", "[Main]", "Main", "B", "2", "[Main]\nB=2"},
    {"add key after a last line without line end, CR LF file", "[Main]\r\nA=1", "Main", "B", "2",
     "[Main]\r\nA=1\r\nB=2"},
    {"add key, CR line ends", "[Main]\rA=1\r\r[X]\r", "Main", "B", "2",
     "[Main]\rA=1\rB=2\r\r[X]\r"},
    {"add key, comment key is no key", "[Main]\n;Ask=1\n", "Main", "Ask", "0",
     "[Main]\nAsk=0\n;Ask=1\n"},
    {"add key, not mistaken for a longer key", "[Main]\nAsk2=1\n", "Main", "Ask", "0",
     "[Main]\nAsk2=1\nAsk=0\n"},
    {"add key to the first of two sections", "[Main]\nA=1\n[Main]\nB=2\n", "Main", "B", "3",
     "[Main]\nA=1\nB=3\n[Main]\nB=2\n"},
    // Adding a section
    {"add section, CR LF", kHandEdited, "Extra", "K", "v", kHandEdited + "[Extra]\r\nK=v\r\n"},
    {"add section, no line end at the end", "[Main]\nA=1", "Default", "B", "2",
     "[Main]\nA=1\n[Default]\nB=2\n"},
    {"add section, CR LF file without line end at the end", "[Main]\r\nA=1", "Default", "B", "2",
     "[Main]\r\nA=1\r\n[Default]\r\nB=2\r\n"},
    {"add section, key before any section is no match", "A=1\n", "Main", "A", "2",
     "A=1\n[Main]\nA=2\n"},
    {"add section, commented section is no match", ";[Main]\n", "Main", "A", "2",
     ";[Main]\n[Main]\nA=2\n"},
    {"add section to an empty file", "", "Main", "A", "1", "[Main]\nA=1\n"},
    {"add section after a lone byte order mark", "\xEF\xBB\xBF", "Main", "A", "1",
     "\xEF\xBB\xBF[Main]\nA=1\n"},
    // A value is one line
    {"value cut at LF", "[Main]\nA=1\n", "Main", "A", "x\nB=2", "[Main]\nA=x\n", "x"},
    {"value cut at CR", "[Main]\nA=1\n", "Main", "A", "x\r[Evil]", "[Main]\nA=x\n", "x"},
};

class IniWrite : public IniFile, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyThatKey) {
    const WriteCase &c = GetParam();
    const QString file = make(c.before);
    ASSERT_NO_THROW(writeString(file, c.section, c.key, c.value));
    const QByteArray got = bytesOf(file);
    EXPECT_EQ(got, c.after) << "got:      " << got.toPercentEncoding(" =[];\"").constData()
                            << "\nexpected: " << c.after.toPercentEncoding(" =[];\"").constData();
    const QString expected = c.readBack.isNull() ? c.value : c.readBack;
    EXPECT_EQ(readString(file, c.section, c.key, kDefault).toStdString(), expected.toStdString())
        << "the written value must read back";
}

INSTANTIATE_TEST_SUITE_P(Rules, IniWrite, ::testing::ValuesIn(kWriteCases));

TEST_F(IniFile, WriteCreatesMissingFile) {
    writeString(path(), "Main", "Version", "2.5");
    EXPECT_EQ(bytesOf(path()), "[Main]\nVersion=2.5\n");
}

TEST_F(IniFile, WritesBuildAFileInOrder) {
    writeInteger(path(), "Main", "Profile", -1);
    writeString(path(), "Main", "Output File", "/v/out.avi");
    writeBool(path(), "Main", "Auto Exit", true);
    writeBool(path(), "Main", "Ask", false);
    writeInteger(path(), "Main", "Profile", 3);
    EXPECT_EQ(bytesOf(path()), "[Main]\nProfile=3\nOutput File=/v/out.avi\nAuto Exit=1\nAsk=0\n");
    EXPECT_EQ(readInteger(path(), "Main", "Profile", 77), 3);
    EXPECT_TRUE(readBool(path(), "Main", "Auto Exit", false));
    EXPECT_FALSE(readBool(path(), "Main", "Ask", true));
}

TEST_F(IniFile, IntegersRoundTrip) {
    for (const int value : {0, 1, -1, 2047, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(value);
        writeInteger(path(), "Main", "Profile", value);
        EXPECT_EQ(readInteger(path(), "Main", "Profile", 77), value);
    }
}

TEST_F(IniFile, WriteReplacesASymbolicLinksTargetNotTheLink) {
    const QString target = make("[Main]\nA=1\n", "real.ini");
    ASSERT_TRUE(QFile::link(target, path()));
    writeString(path(), "Main", "A", "2");
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(bytesOf(target), "[Main]\nA=2\n");
}

TEST_F(IniFile, WriteLeavesNoTemporaryFileBehind) {
    make(kHandEdited);
    writeString(path(), "Main", "Ask", "1");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Preferences.ini"});
}

// ---------------------------------------------------------------------------------------------
// Refused writes

struct RefusedCase {
    const char *name;
    const char *file;          // relative to the temporary folder
    const char *folderToMake;  // made first, relative to the temporary folder; may be nullptr
    const char *plainFileToMake;
};

std::ostream &operator<<(std::ostream &os, const RefusedCase &c) {
    return os << c.name << " (" << c.file << ")";
}

const RefusedCase kRefusedCases[] = {
    {"folder missing", "missing/Preferences.ini", nullptr, nullptr},
    {"non-ASCII folder missing", "Vidéos ☃/Preferences.ini", nullptr, nullptr},
    {"the file is a folder", "Preferences.ini", "Preferences.ini", nullptr},
    {"the folder is a file", "notes.txt/Preferences.ini", nullptr, "notes.txt"},
};

class IniRefused : public IniFile, public ::testing::WithParamInterface<RefusedCase> {};

void expectRefused(const QString &filePath, const QString &fullPath) {
    const QString expected = "Unable to write to " + QDir::toNativeSeparators(fullPath);
    try {
        writeString(filePath, "Main", "Ask", "1");
        ADD_FAILURE() << "no WriteError for " << filePath.toStdString();
    } catch (const WriteError &error) {
        EXPECT_EQ(error.text().toStdString(), expected.toStdString());
        EXPECT_STREQ(error.what(), expected.toUtf8().constData());
    }
}

TEST_P(IniRefused, ThrowsWithFullPath) {
    const RefusedCase &c = GetParam();
    if (c.folderToMake) {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(c.folderToMake));
    }
    if (c.plainFileToMake)
        make("x", c.plainFileToMake);
    expectRefused(path(c.file), path(c.file));
    EXPECT_FALSE(QFileInfo(path(c.file)).isFile()) << "a refused write must create nothing";
}

INSTANTIATE_TEST_SUITE_P(Rules, IniRefused, ::testing::ValuesIn(kRefusedCases));

TEST_F(IniFile, RefusedRelativePathIsReportedInFull) {
    const WorkingFolder cwd(m_dir.path());
    expectRefused("missing/Preferences.ini", m_dir.filePath("missing/Preferences.ini"));
}

TEST_F(IniFile, ReadOnlyFolderRefusesWrite) {
    const QString folder = m_dir.filePath("locked");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("locked"));
    const QString file = folder + "/Preferences.ini";
    make("[Main]\nAsk=0\n", "locked/Preferences.ini");
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool stillWritable = QFileInfo(folder).isWritable();
    if (!stillWritable)
        expectRefused(file, file);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (stillWritable)
        GTEST_SKIP() << "this user may write into a read-only folder (root)";
    EXPECT_EQ(bytesOf(file), "[Main]\nAsk=0\n");
}

TEST_F(IniFile, ReadOnlyFileRefusesWrite) {
    const QString file = make("[Main]\nAsk=0\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    if (QFileInfo(file).isWritable())
        GTEST_SKIP() << "this user may write to a read-only file (root)";
    expectRefused(file, file);
    EXPECT_EQ(bytesOf(file), "[Main]\nAsk=0\n");
}

}  // namespace
