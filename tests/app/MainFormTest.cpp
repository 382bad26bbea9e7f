#include "app/Main.h"

#include "../common/FakePlatform.h"
#include "../common/QtPrinters.h"
#include "../common/TestMedia.h"
#include "platform/Ini.h"
#include "tasks/ItemData.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

using Button = platform::Dialogs::Button;
using Icon = platform::Dialogs::Icon;

// A fresh application folder per test: a copy of the built one's data files.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_appDir.isValid());
        m_app = m_appDir.path() + u'/';
        const QDir built(QStringLiteral(SPLICORA_APP_DIR));
        ASSERT_TRUE(QFile::copy(built.filePath("Preferences.ini"), m_app + "Preferences.ini"));
        ASSERT_TRUE(QDir().mkdir(m_app + "Profiles"));
        ASSERT_TRUE(m_media.isValid());
    }

    std::unique_ptr<TMainForm> makeForm(const QStringList &arguments = {}) {
        return std::make_unique<TMainForm>(m_app, arguments);
    }

    // A file in the test's own media folder, copied from a generated one.
    QString mediaCopy(const QString &source, const QString &relativeName) {
        const QString target = m_media.filePath(relativeName);
        QDir().mkpath(QFileInfo(target).absolutePath());
        EXPECT_TRUE(QFile::copy(source, target)) << target.toStdString();
        return target;
    }

    QString writeFile(const QString &relativeName, const QByteArray &bytes) {
        const QString target = m_media.filePath(relativeName);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(target);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return target;
    }

    static QStringList captions(const TMainForm &form) {
        QStringList result;
        for (int i = 0; i < form.ltvTask->topLevelItemCount(); ++i)
            result.append(form.ltvTask->topLevelItem(i)->text(0));
        return result;
    }

    static QList<int> selectedRows(const TMainForm &form) {
        QList<int> result;
        for (int i = 0; i < form.ltvTask->topLevelItemCount(); ++i) {
            if (form.ltvTask->topLevelItem(i)->isSelected())
                result.append(i + 1);  // counted from 1, as the cases read
        }
        return result;
    }

    static bool listButtonsEnabled(const TMainForm &form) {
        const bool up = form.tbtnUp->isEnabled();
        EXPECT_EQ(form.tbtnDown->isEnabled(), up);
        EXPECT_EQ(form.tbtnRemove->isEnabled(), up);
        EXPECT_EQ(form.tbtnClear->isEnabled(), up);
        EXPECT_EQ(form.tbtnStart->isEnabled(), up);
        return up;
    }

    // Five rows named 1..5 with play times, without probing anything.
    static void fillFiveRows(TMainForm &form) {
        for (int i = 1; i <= 5; ++i) {
            auto *item = new QTreeWidgetItem(form.ltvTask);
            SetItemData(form.ltvTask, i - 1, fldAll,
                        {QString::number(i), QStringLiteral("00:00:0%1").arg(i),
                         QStringLiteral("320x240"), status::OK, 0});
            (void)item;
        }
        form.EnableListButtons(true);
    }

    static void select(TMainForm &form, std::initializer_list<int> rows) {
        form.ltvTask->clearSelection();
        for (int row : rows)
            form.ltvTask->topLevelItem(row - 1)->setSelected(true);
    }

    fake::Platform m_fakes;
    QTemporaryDir m_appDir;
    QTemporaryDir m_media;
    QString m_app;
};

// --- Start-up ----------------------------------------------------------------------------------

TEST_F(MainFormTest, StartsEmptyWithWelcomePanelAndListButtonsOff) {
    auto form = makeForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Splicora V2.0"));
    EXPECT_EQ(form->FEncoderPath, m_app + "asapi.dll");
    EXPECT_EQ(form->FHelpFile, m_app + "Splicora.html");
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_FALSE(form->panltvTask->isHidden());
    EXPECT_FALSE(listButtonsEnabled(*form));
    EXPECT_TRUE(form->tbtnAddFile->isEnabled());
    EXPECT_TRUE(form->tbtnAddDir->isEnabled());
    EXPECT_FALSE(form->tbtnStop->isEnabled());
    EXPECT_TRUE(form->tbtnSetting->isEnabled());
    EXPECT_TRUE(form->tbtnAbout->isEnabled());
    EXPECT_TRUE(form->tbtnHelp->isEnabled());
    EXPECT_TRUE(form->panBottomLeft->isHidden());
    EXPECT_FALSE(form->panBottomCenter->isHidden());
    EXPECT_EQ(form->panBottomCenter->width(), 607);
    EXPECT_EQ(form->ltvTask->columnWidth(0), 350);
    EXPECT_EQ(form->ltvTask->columnWidth(1), 90);
    EXPECT_EQ(form->ltvTask->columnWidth(2), 80);
    EXPECT_EQ(form->ltvTask->columnWidth(3), 150);
    EXPECT_EQ(form->labProgramName->text(), QStringLiteral("Splicora"));
    EXPECT_EQ(form->labProgramNameShadow->text(), QStringLiteral("Splicora"));
    EXPECT_TRUE(form->acceptDrops());
    EXPECT_TRUE(m_fakes.dialogs->messages.empty());
}

TEST_F(MainFormTest, ControlsCarryTheirNamesAndHints) {
    auto form = makeForm();
    const std::pair<const char *, const char *> hints[] = {
        {"tbtnAddFile", "Add Video Files"},
        {"tbtnAddDir", "Add Directory"},
        {"tbtnUp", "Move Up"},
        {"tbtnDown", "Move Down"},
        {"tbtnRemove", "Remove"},
        {"tbtnClear", "Clear"},
        {"tbtnStart", "Start"},
        {"tbtnStop", "Stop"},
        {"tbtnSetting", "General Settings"},
        {"tbtnAbout", "About"},
        {"tbtnHelp", "Help"},
    };
    for (const auto &[name, hint] : hints) {
        SCOPED_TRACE(name);
        auto *button = form->findChild<QToolButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QLatin1String(hint));
        EXPECT_EQ(button->iconSize(), QSize(48, 48));
        EXPECT_FALSE(button->icon().isNull());
    }
    for (const char *name : {"ltvTask", "panltvTask", "cmbProfile", "edtOutputFile", "bbtnSetting",
                             "bbtnBrowser", "bbtnOpen", "pgbCurrent", "pgbTotal", "Image1",
                             "labProcessTitle", "Memo1", "timerTime", "ppmTask"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(form->findChild<QObject *>(QLatin1String(name)), nullptr);
    }
    EXPECT_EQ(form->ltvTask->headerItem()->text(0), QStringLiteral("Input File"));
    EXPECT_EQ(form->ltvTask->headerItem()->text(3), QStringLiteral("Status"));
}

struct VersionCase {
    const char *name;
    QByteArray preferences;
    const char *title;
};
std::ostream &operator<<(std::ostream &os, const VersionCase &c) {
    return os << c.name;
}

class MainFormVersionTest : public MainFormTest,
                            public ::testing::WithParamInterface<VersionCase> {};

TEST_P(MainFormVersionTest, TitleShowsTheVersionText) {
    QFile::remove(m_app + "Preferences.ini");
    if (!GetParam().preferences.isNull()) {
        QFile file(m_app + "Preferences.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().preferences);
    }
    auto form = makeForm();
    EXPECT_EQ(form->windowTitle(), QLatin1String(GetParam().title));
}

const VersionCase kVersionCases[] = {
    {"NoFile", QByteArray(), "Splicora V2.0"},
    {"NoKey", "[Main]\nProfile=0\n", "Splicora V2.0"},
    {"OwnVersion", "[Main]\nVersion=2.5\n", "Splicora V2.5"},
    {"QuotedAnyCase", "[MAIN]\nversion = \"3.1 beta\"\n", "Splicora V3.1 beta"},
};
INSTANTIATE_TEST_SUITE_P(Table,
                         MainFormVersionTest,
                         ::testing::ValuesIn(kVersionCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainFormTest, PlainArgumentsAddSupportedFilesAndSkipTheRest) {
    const QString video = mediaCopy(media::withSound(), "a.avi");
    const QString flv = mediaCopy(media::withSound(), "b.flv");
    const QString silent = mediaCopy(media::withoutSound(), "c.MP4");
    auto form = makeForm({video, flv, m_media.filePath("missing.avi"), silent});

    EXPECT_EQ(captions(*form), (QStringList{video, silent}));
    ltvItemData row;
    GetItemData(form->ltvTask, 0, fldAll, row);
    EXPECT_NEAR(row.LengthSeconds, 2.5, 0.2);
    EXPECT_EQ(row.SizeText, QStringLiteral("160x120"));
    EXPECT_EQ(row.Status, QStringLiteral("OK"));
    GetItemData(form->ltvTask, 1, fldAll, row);
    EXPECT_EQ(row.LengthText, QStringLiteral("00:00:01.2"));
    EXPECT_EQ(row.SizeText, QStringLiteral("176x144"));
    EXPECT_TRUE(listButtonsEnabled(*form));
    EXPECT_TRUE(form->panltvTask->isHidden());
    EXPECT_TRUE(m_fakes.dialogs->messages.empty());
}

TEST_F(MainFormTest, ListFileNamesOneEntryPerLine) {
    const QString a = mediaCopy(media::withSound(), "a.avi");
    const QString gone = mediaCopy(media::withSound(), "gone.avi");
    const QString folder = m_media.filePath("folder");
    const QString inFolder = mediaCopy(media::withoutSound(), "folder/x.mpg");
    QFile::remove(gone);
    const QString list =
        writeFile("LIST.TMP", (a + "\r\n\r\n" + gone + "\n" + folder + "\r" + a).toUtf8());
    const QString ignored = mediaCopy(media::withoutSound(), "ignored.avi");

    auto form = makeForm({list, ignored});
    m_fakes.dialogs->answers.push_back(Button::Yes);
    EXPECT_EQ(captions(*form), (QStringList{a, inFolder}));
    // The repeated last line asked whether to add it again and got No.
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    EXPECT_EQ(m_fakes.dialogs->messages[0].caption, QStringLiteral("Already Listed"));
}

TEST_F(MainFormTest, UnreadableListFileIsReportedAndAddsNothing) {
    const QString a = mediaCopy(media::withSound(), "a.avi");
    auto form = makeForm({m_media.filePath("none.tmp"), a});
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    EXPECT_TRUE(m_fakes.dialogs->messages[0].text.contains(m_media.filePath("none.tmp")));
    EXPECT_FALSE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, ProfilesAreListedByNameWithoutSelection) {
    writeFile("unused", "");
    for (const char *name : {"Web.bpf", "DVD.BPF", "notes.txt", ".Hidden.bpf"}) {
        QFile file(m_app + "Profiles/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir().mkdir(m_app + "Profiles/Folder.bpf");
    auto form = makeForm();
    ASSERT_EQ(form->cmbProfile->count(), 2);
    EXPECT_EQ(form->cmbProfile->itemText(0), QStringLiteral("DVD"));
    EXPECT_EQ(form->cmbProfile->itemText(1), QStringLiteral("Web"));
    EXPECT_EQ(form->cmbProfile->currentIndex(), -1);
}

TEST_F(MainFormTest, MissingProfilesFolderIsReported) {
    QDir(m_app + "Profiles").removeRecursively();
    auto form = makeForm();
    EXPECT_EQ(form->cmbProfile->count(), 0);
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    EXPECT_EQ(m_fakes.dialogs->messages[0].icon, Icon::Critical);
    EXPECT_TRUE(m_fakes.dialogs->messages[0].text.contains(m_app + "Profiles"));
}

struct ShowCloseCase {
    const char *name;
    const char *storedProfile;  // nullptr: no key
    int selected;
    const char *written;
};
std::ostream &operator<<(std::ostream &os, const ShowCloseCase &c) {
    return os << c.name;
}

class MainFormShowCloseTest : public MainFormTest,
                              public ::testing::WithParamInterface<ShowCloseCase> {};

TEST_P(MainFormShowCloseTest, RestoresAndSavesProfileAndOutputFile) {
    for (const char *name : {"A.bpf", "B.bpf", "C.bpf", "D.bpf", "E.bpf"}) {
        QFile file(m_app + "Profiles/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString prefs = m_app + "Preferences.ini";
    if (GetParam().storedProfile)
        platform::ini::writeString(prefs, "Main", "Profile", GetParam().storedProfile);
    platform::ini::writeString(prefs, "Main", "Output File", "/out/movie.avi");

    auto form = makeForm();
    form->show();
    EXPECT_EQ(form->cmbProfile->currentIndex(), GetParam().selected);
    EXPECT_EQ(form->edtOutputFile->text(), QStringLiteral("/out/movie.avi"));

    form->edtOutputFile->setText("/elsewhere/joined.mp4");
    form->close();
    EXPECT_EQ(platform::ini::readString(prefs, "Main", "Profile", "none"),
              QLatin1String(GetParam().written));
    EXPECT_EQ(platform::ini::readString(prefs, "Main", "Output File", ""),
              QStringLiteral("/elsewhere/joined.mp4"));
    EXPECT_EQ(platform::ini::readString(prefs, "Main", "Version", ""), QStringLiteral("2.0"));
}

const ShowCloseCase kShowCloseCases[] = {
    {"NoKeyGivesFirst", nullptr, 0, "0"}, {"StoredIndex", "3", 3, "3"},
    {"BeyondTheList", "7", -1, "-1"},     {"Negative", "-1", -1, "-1"},
    {"Hexadecimal", "0x2", 2, "2"},       {"NotANumber", "two", 0, "0"},
};
INSTANTIATE_TEST_SUITE_P(Table,
                         MainFormShowCloseTest,
                         ::testing::ValuesIn(kShowCloseCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainFormTest, CloseReportsPreferencesThatCannotBeWrittenAndStillCloses) {
    QFile::remove(m_app + "Preferences.ini");
    ASSERT_TRUE(QDir().mkdir(m_app + "Preferences.ini"));  // a folder where the file should be
    auto form = makeForm();
    form->show();
    EXPECT_TRUE(form->close());
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    EXPECT_EQ(m_fakes.dialogs->messages[0].text,
              QStringLiteral("Unable to write to ") + m_app + "Preferences.ini");
}

// --- Adding videos -----------------------------------------------------------------------------

TEST_F(MainFormTest, DuplicateIsAddedOnlyAfterYes) {
    const QString a = mediaCopy(media::withSound(), "a.avi");
    auto form = makeForm({a});
    ASSERT_EQ(form->ltvTask->topLevelItemCount(), 1);

    m_fakes.dialogs->answers.push_back(Button::No);
    EXPECT_TRUE(form->AddFile(a));
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 1);
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    const fake::Message &question = m_fakes.dialogs->messages[0];
    EXPECT_EQ(question.caption, QStringLiteral("Already Listed"));
    EXPECT_EQ(question.text, QStringLiteral("This file has been added to the Task List already. "
                                            "Are you sure to add it again?"));
    EXPECT_EQ(question.icon, Icon::Question);
    EXPECT_EQ(question.buttons, platform::Dialogs::Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, Button::Yes);

    m_fakes.dialogs->answers.push_back(Button::Yes);
    EXPECT_TRUE(form->AddFile(a));
    EXPECT_EQ(captions(*form), (QStringList{a, a}));

    // Asked once, at the first equal row, even with two equal rows listed.
    m_fakes.dialogs->answers.push_back(Button::Yes);
    EXPECT_TRUE(form->AddFile(a));
    EXPECT_EQ(m_fakes.dialogs->messages.size(), 3u);
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 3);
}

TEST_F(MainFormTest, PathsThatDifferInLetterCaseAreNoDuplicates) {
    const QString lower = mediaCopy(media::withSound(), "clips/a.avi");
    const QString upper = mediaCopy(media::withSound(), "clips/A.AVI");
    auto form = makeForm({lower, upper});
    EXPECT_EQ(captions(*form), (QStringList{lower, upper}));
    EXPECT_TRUE(m_fakes.dialogs->messages.empty());
}

TEST_F(MainFormTest, OpenDialogAddsSecondToLastThenFirst) {
    const QString one = mediaCopy(media::withSound(), "one.avi");
    const QString two = mediaCopy(media::withSound(), "two.avi");
    const QString three = mediaCopy(media::withSound(), "three.flv");
    auto form = makeForm();
    m_fakes.dialogs->openAnswers.push_back({one, two, three});
    form->tbtnAddFile->click();

    // Files picked through "All Files" are added whatever their extension.
    EXPECT_EQ(captions(*form), (QStringList{two, three, one}));
    EXPECT_TRUE(listButtonsEnabled(*form));
    ASSERT_EQ(m_fakes.dialogs->openRequests.size(), 1u);
    const auto &request = m_fakes.dialogs->openRequests[0];
    EXPECT_TRUE(request.multiple);
    EXPECT_EQ(request.selectedFilter, 0);
    EXPECT_EQ(request.filters, form->FOpenFilter);
    EXPECT_TRUE(request.filters.at(0).startsWith(QStringLiteral("All Support Files(")));
}

TEST_F(MainFormTest, CancelledOpenDialogAddsNothing) {
    auto form = makeForm();
    form->tbtnAddFile->click();
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_FALSE(listButtonsEnabled(*form));
    // The welcome panel goes only when something is added or dropped.
    EXPECT_FALSE(form->panltvTask->isHidden());
}

TEST_F(MainFormTest, FolderAddsItsVideosSortedWithoutRegardToCase) {
    mediaCopy(media::withSound(), "dir/b.MPG");
    mediaCopy(media::withSound(), "dir/a.avi");
    writeFile("dir/notes.txt", "notes");
    mediaCopy(media::withSound(), "dir/.hidden.avi");
    mediaCopy(media::withSound(), "dir/sub/c.avi");
    const QString dir = m_media.filePath("dir");

    auto form = makeForm();
    m_fakes.dialogs->folderAnswers.push_back(dir);
    form->show();
    form->tbtnAddDir->click();

    EXPECT_EQ(captions(*form), (QStringList{dir + "/a.avi", dir + "/b.MPG"}));
    ASSERT_EQ(m_fakes.dialogs->folderTitles.size(), 1u);
    EXPECT_EQ(m_fakes.dialogs->folderTitles[0], QStringLiteral("Add a directory to the Task List"));
    EXPECT_TRUE(form->ltvTask->hasFocus());
    EXPECT_TRUE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, FolderWithoutVideosAddsNothingSilently) {
    writeFile("dir/notes.txt", "notes");
    auto form = makeForm();
    m_fakes.dialogs->folderAnswers.push_back(m_media.filePath("dir"));
    form->tbtnAddDir->click();
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_TRUE(m_fakes.dialogs->messages.empty());
    EXPECT_FALSE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, UnreadablePlayTimeStopsTheAddAndRemovesItsRow) {
    const QString a = mediaCopy(media::withSound(), "dir/a.avi");
    mediaCopy(media::corrupt(), "dir/b.avi");
    mediaCopy(media::withSound(), "dir/c.avi");
    auto form = makeForm({m_media.filePath("dir")});

    EXPECT_EQ(captions(*form), QStringList{a});
    ASSERT_EQ(m_fakes.dialogs->messages.size(), 1u);
    EXPECT_EQ(m_fakes.dialogs->messages[0].text,
              QStringLiteral("'' is not a valid floating point value"));
    EXPECT_EQ(m_fakes.dialogs->messages[0].icon, Icon::Critical);
    for (int column = 1; column < 4; ++column)
        EXPECT_FALSE(form->ltvTask->topLevelItem(0)->text(column).isEmpty());
    EXPECT_TRUE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, AudioOnlyFileShowsJustAnX) {
    const QString sound = mediaCopy(media::audioOnly(), "sound.mp4");
    auto form = makeForm({sound});
    ltvItemData row;
    GetItemData(form->ltvTask, 0, fldAll, row);
    EXPECT_EQ(row.SizeText, QStringLiteral("x"));
    EXPECT_NEAR(row.LengthSeconds, 2.0, 0.1);
}

TEST_F(MainFormTest, BadFilesAreReportedAndNeverCrash) {
    const QString files[] = {
        mediaCopy(media::empty(), "empty.avi"),
        mediaCopy(media::corrupt(), "corrupt.mpg"),
        mediaCopy(media::textAsVideo(), "text.mov"),
        m_media.filePath("folder-named.avi"),
    };
    QDir().mkdir(files[3]);
    auto form = makeForm();
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        m_fakes.dialogs->messages.clear();
        EXPECT_FALSE(form->AddFile(file));
        EXPECT_EQ(m_fakes.dialogs->messages.size(), 1u);
        EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    }
}

TEST_F(MainFormTest, NamesWithBlanksQuotesAndAccentsAreAdded) {
    const QString names[] = {
        mediaCopy(media::withSound(), "with blanks/my clip.avi"),
        mediaCopy(media::withSound(), "quote\"d 'clip'.avi"),
        mediaCopy(media::withSound(), "été/Ünïcødé 映像.avi"),
    };
    auto form = makeForm({names[0], names[1], names[2]});
    EXPECT_EQ(captions(*form), (QStringList{names[0], names[1], names[2]}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->ltvTask->topLevelItem(i)->text(2), QStringLiteral("160x120"));
}

TEST_F(MainFormTest, DropAddsFolderVideosAndSupportedFilesOnly) {
    mediaCopy(media::withSound(), "drop/a.avi");
    mediaCopy(media::withSound(), "drop/b.wmv");
    const QString text = writeFile("notes.txt", "notes");
    const QString flv = mediaCopy(media::withSound(), "clip.flv");
    const QString mov = mediaCopy(media::withoutSound(), "clip.mov");
    auto form = makeForm();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_media.filePath("drop")), QUrl::fromLocalFile(text),
                  QUrl::fromLocalFile(flv), QUrl::fromLocalFile(mov)});
    // As the window system delivers a drop: an enter that the window accepts, then the drop.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);

    const QString folder = m_media.filePath("drop");
    EXPECT_EQ(captions(*form), (QStringList{folder + "/a.avi", folder + "/b.wmv", mov}));
    EXPECT_TRUE(listButtonsEnabled(*form));
    EXPECT_TRUE(form->panltvTask->isHidden());
}

TEST_F(MainFormTest, DropWhileTheListIsDisabledAddsNothing) {
    const QString a = mediaCopy(media::withSound(), "a.avi");
    auto form = makeForm();
    form->ltvTask->setEnabled(false);
    form->DropFiles({a});
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_TRUE(form->panltvTask->isHidden());
    EXPECT_FALSE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, DroppedPathIsTakenWhole) {
    // A path longer than 253 characters must add its own file, not one named by a prefix of it.
    QString folder = QStringLiteral("long");
    while (folder.size() < 260)
        folder += QStringLiteral("/abcdefghijklmnopqrstuvwxyz");
    const QString video = mediaCopy(media::withSound(), folder + "/clip.avi");
    ASSERT_GT(video.size(), 253);
    auto form = makeForm();
    form->DropFiles({video});
    EXPECT_EQ(captions(*form), QStringList{video});
}

// --- Editing the list --------------------------------------------------------------------------

struct EditCase {
    const char *name;
    void (TMainForm::*command)();
    std::initializer_list<int> selected;
    QStringList orderAfter;
    QList<int> selectedAfter;
};
std::ostream &operator<<(std::ostream &os, const EditCase &c) {
    return os << c.name;
}

class MainFormEditTest : public MainFormTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(MainFormEditTest, ChangesRowsAndSelection) {
    auto form = makeForm();
    fillFiveRows(*form);
    // Statuses move with their rows.
    ltvItemData complete;
    complete.Status = status::Complete;
    SetItemData(form->ltvTask, 0, fldStatus, complete);
    select(*form, GetParam().selected);

    (form.get()->*GetParam().command)();

    EXPECT_EQ(captions(*form), GetParam().orderAfter);
    EXPECT_EQ(selectedRows(*form), GetParam().selectedAfter);
    for (int i = 0; i < form->ltvTask->topLevelItemCount(); ++i) {
        ltvItemData row;
        GetItemData(form->ltvTask, i, fldAll, row);
        EXPECT_EQ(row.LengthText, QStringLiteral("00:00:0") + row.InputFile);
        EXPECT_EQ(row.Status, row.InputFile == "1" ? status::Complete : status::OK);
    }
    EXPECT_TRUE(listButtonsEnabled(*form));
}

const EditCase kEditCases[] = {
    {"UpNothingSelected", &TMainForm::tbtnUpClick, {}, {"1", "2", "3", "4", "5"}, {}},
    {"UpTopRow", &TMainForm::tbtnUpClick, {1}, {"1", "2", "3", "4", "5"}, {1}},
    {"UpRows2And3", &TMainForm::tbtnUpClick, {2, 3}, {"2", "3", "1", "4", "5"}, {1, 2}},
    {"UpRows1And2", &TMainForm::tbtnUpClick, {1, 2}, {"2", "1", "3", "4", "5"}, {1}},
    {"DownNothingSelected", &TMainForm::tbtnDownClick, {}, {"1", "2", "3", "4", "5"}, {}},
    {"DownRows4And5", &TMainForm::tbtnDownClick, {4, 5}, {"1", "2", "3", "5", "4"}, {5}},
    {"DownRow1", &TMainForm::tbtnDownClick, {1}, {"2", "1", "3", "4", "5"}, {2}},
    {"RemoveRows1_3_4", &TMainForm::tbtnRemoveClick, {1, 3, 4}, {"2", "5"}, {}},
    {"RemoveNothingSelected", &TMainForm::tbtnRemoveClick, {}, {"1", "2", "3", "4", "5"}, {}},
};
INSTANTIATE_TEST_SUITE_P(Table,
                         MainFormEditTest,
                         ::testing::ValuesIn(kEditCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainFormTest, RemovingTheLastRowsDisablesTheListButtons) {
    auto form = makeForm();
    fillFiveRows(*form);
    select(*form, {1, 2, 3, 4, 5});
    form->tbtnRemove->click();
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_FALSE(listButtonsEnabled(*form));
}

TEST_F(MainFormTest, ClearEmptiesTheListAndKeepsTheWelcomePanelHidden) {
    const QString a = mediaCopy(media::withSound(), "a.avi");
    auto form = makeForm({a});
    form->tbtnClear->click();
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_FALSE(listButtonsEnabled(*form));
    EXPECT_TRUE(form->panltvTask->isHidden());
}

TEST_F(MainFormTest, BackspaceClearsAndDeleteRemovesWhateverTheModifiers) {
    auto form = makeForm();
    form->show();
    fillFiveRows(*form);
    select(*form, {2, 4});
    QTest::keyClick(form->ltvTask, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(captions(*form), (QStringList{"1", "3", "5"}));
    QTest::keyClick(form->ltvTask, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
    EXPECT_FALSE(listButtonsEnabled(*form));
    EXPECT_TRUE(m_fakes.dialogs->messages.empty());
}

TEST_F(MainFormTest, DoubleClickOpensTheTopSelectedRow) {
    auto form = makeForm();
    form->show();
    fillFiveRows(*form);
    form->ltvTaskDblClick();
    EXPECT_TRUE(m_fakes.shell->opened.isEmpty());

    select(*form, {2, 4});
    // Below the rows: the selection stays and its top row opens.
    const QPoint below(20, form->ltvTask->viewport()->height() - 5);
    QTest::mouseDClick(form->ltvTask->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    ASSERT_FALSE(m_fakes.shell->opened.isEmpty());
    EXPECT_EQ(m_fakes.shell->opened.constLast(), QStringLiteral("2"));

    select(*form, {2, 4});
    form->Open1->trigger();
    EXPECT_EQ(m_fakes.shell->opened.constLast(), QStringLiteral("2"));
}

TEST_F(MainFormTest, ContextMenuEnablesByListState) {
    auto form = makeForm();
    form->ppmTaskPopup();
    EXPECT_FALSE(form->Open1->isEnabled());
    EXPECT_FALSE(form->Remove1->isEnabled());
    EXPECT_FALSE(form->Clear1->isEnabled());
    EXPECT_TRUE(form->AddFiles1->isEnabled());
    EXPECT_TRUE(form->AddDirectorys1->isEnabled());

    fillFiveRows(*form);
    form->ppmTaskPopup();
    EXPECT_FALSE(form->Open1->isEnabled());
    EXPECT_FALSE(form->Remove1->isEnabled());
    EXPECT_TRUE(form->Clear1->isEnabled());

    select(*form, {3});
    emit form->ppmTask->aboutToShow();
    EXPECT_TRUE(form->Open1->isEnabled());
    EXPECT_TRUE(form->Remove1->isEnabled());

    QStringList captionsInOrder;
    for (QAction *action : form->ppmTask->actions())
        captionsInOrder.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captionsInOrder, (QStringList{"Open", "-", "Add Files...", "Add Directorys...", "-",
                                            "Remove", "Clear"}));

    form->Remove1->trigger();
    EXPECT_EQ(captions(*form), (QStringList{"1", "2", "4", "5"}));
    form->Clear1->trigger();
    EXPECT_EQ(form->ltvTask->topLevelItemCount(), 0);
}

TEST_F(MainFormTest, NarrowerListSpreadsTheChangeOverTheColumns) {
    auto form = makeForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const int widths[] = {350, 90, 80, 150};
    for (int column = 0; column < 4; ++column)
        form->ltvTask->setColumnWidth(column, widths[column]);
    ASSERT_EQ(form->FListWidth, form->ltvTask->width());

    form->resize(form->width() - 10, form->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->ltvTask->columnWidth(0), 345);
    EXPECT_EQ(form->ltvTask->columnWidth(1), 88);
    EXPECT_EQ(form->ltvTask->columnWidth(2), 78);
    EXPECT_EQ(form->ltvTask->columnWidth(3), 148);
    // The welcome panel keeps its place and size.
    EXPECT_EQ(form->panltvTask->size(), QSize(768, 354));
}

// --- Simple commands ---------------------------------------------------------------------------

TEST_F(MainFormTest, OpenButtonOpensTheFileOrElseItsFolder) {
    const QString video = mediaCopy(media::withSound(), "out/movie.avi");
    const QString folder = m_media.filePath("out");
    auto form = makeForm();
    struct Case {
        QString text;
        QStringList opened;
    };
    const Case cases[] = {
        {video, {video}},
        {folder + "/missing.avi", {folder}},
        {folder + "/", {folder}},
        {QStringLiteral("/"), {QStringLiteral("/")}},  // the root keeps its separator
        {QStringLiteral("movie.avi"), {}},
        {QString(), {}},
        {m_media.filePath("nowhere/missing.avi"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        m_fakes.shell->opened.clear();
        form->edtOutputFile->setText(c.text);
        form->bbtnOpen->click();
        EXPECT_EQ(m_fakes.shell->opened, c.opened);
    }
}

TEST_F(MainFormTest, BrowserPutsTheChosenFileIntoTheField) {
    auto form = makeForm();
    form->edtOutputFile->setText("/old/name.avi");
    form->bbtnBrowser->click();  // cancelled
    EXPECT_EQ(form->edtOutputFile->text(), QStringLiteral("/old/name.avi"));

    m_fakes.dialogs->saveAnswers.push_back(QStringLiteral("/new/joined.mp4"));
    form->bbtnBrowser->click();
    EXPECT_EQ(form->edtOutputFile->text(), QStringLiteral("/new/joined.mp4"));
    ASSERT_EQ(m_fakes.dialogs->saveRequests.size(), 2u);
    EXPECT_EQ(m_fakes.dialogs->saveRequests[0].defaultSuffix, QStringLiteral("avi"));
    EXPECT_EQ(m_fakes.dialogs->saveRequests[0].filters, form->FSaveFilter);
    EXPECT_EQ(form->FSaveFilter.constLast(), QStringLiteral("All Files (*.*)"));
}

TEST_F(MainFormTest, HelpAndLogoOpenWithTheShell) {
    auto form = makeForm();
    form->tbtnHelp->click();
    form->Image1Click();
    EXPECT_EQ(m_fakes.shell->opened,
              (QStringList{m_app + "Splicora.html", QStringLiteral("https://www.splicora.com/")}));
}

}  // namespace
