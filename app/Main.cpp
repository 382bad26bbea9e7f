#include "app/Main.h"

#include "app/CommandLine.h"
#include "app/FileTypes.h"
#include "app/Program.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "tasks/ItemData.h"
#include "tasks/ListRules.h"
#include "tasks/Probe.h"
#include "tasks/TimeText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kMainSection = QStringLiteral("Main");

// The task list as the selection moves see it.
class TaskListRows {
public:
    explicit TaskListRows(QTreeWidget *list) : m_list(list) {}
    int count() const { return m_list->topLevelItemCount(); }
    bool isSelected(int i) const { return m_list->topLevelItem(i)->isSelected(); }
    void setSelected(int i, bool on) { m_list->topLevelItem(i)->setSelected(on); }
    void exchange(int i, int j) {
        ltvItemData a, b;
        GetItemData(m_list, i, fldAll, a);
        GetItemData(m_list, j, fldAll, b);
        SetItemData(m_list, i, fldAll, b);
        SetItemData(m_list, j, fldAll, a);
    }

private:
    QTreeWidget *m_list;
};

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Fonts here are wider than the ones the layout was drawn with: a caption that would run into
// the control after it is moved left to end just before it.
void alignRightOf(QLabel *label, int controlLeft) {
    const int right = controlLeft - 4;
    if (label->geometry().right() > right)
        label->move(right - label->width(), label->y());
}

QWidget *makePanel(QWidget *parent, const char *name) {
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

}  // namespace

TMainForm::TMainForm(const QString &appFolder, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent), FAppFolder(platform::IncludeBackslash(appFolder)) {
    setObjectName(QStringLiteral("MainForm"));
    resize(798, 542);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    setAcceptDrops(true);

    buildToolbar();
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    buildTaskArea();
    buildBottomBand();
    layout->addWidget(panMain, 1);
    layout->addWidget(panBottom);
    buildPopupMenu();

    // Lay the window out at its start-up size now, so that the task list has its real width
    // before its columns get their start-up widths; showing the window then changes nothing.
    this->layout()->activate();
    layout->activate();
    panMain->layout()->activate();
    ltvTaskResize(ltvTask->width());

    timerTime = new QTimer(this);
    timerTime->setObjectName(QStringLiteral("timerTime"));
    timerTime->setInterval(1000);

    FormCreate(arguments);
}

TMainForm::~TMainForm() = default;

QString TMainForm::preferencesFile() const {
    return FAppFolder + kPreferencesFile;
}

void TMainForm::buildToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(48, 48));
    Toolbar1->setFixedHeight(75);
    Toolbar1->setContentsMargins(5, 5, 5, 5);
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    auto button = [this](const char *name, const QString &hint, const char *picture, bool enabled) {
        auto *b = new QToolButton(Toolbar1);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(picture))));
        b->setIconSize(QSize(48, 48));
        b->setFixedSize(56, 54);
        b->setAutoRaise(true);
        b->setEnabled(enabled);
        Toolbar1->addWidget(b);
        return b;
    };
    auto gap = [this](int width) {
        auto *spacer = new QWidget(Toolbar1);
        spacer->setFixedWidth(width);
        Toolbar1->addWidget(spacer);
    };

    tbtnAddFile = button("tbtnAddFile", tr("Add Video Files"), "add-file", true);
    tbtnAddDir = button("tbtnAddDir", tr("Add Directory"), "add-dir", true);
    gap(8);
    tbtnUp = button("tbtnUp", tr("Move Up"), "up", false);
    tbtnDown = button("tbtnDown", tr("Move Down"), "down", false);
    tbtnRemove = button("tbtnRemove", tr("Remove"), "remove", false);
    tbtnClear = button("tbtnClear", tr("Clear"), "clear", false);
    gap(8);
    tbtnStart = button("tbtnStart", tr("Start"), "start", false);
    tbtnStop = button("tbtnStop", tr("Stop"), "stop", false);
    gap(12);
    tbtnSetting = button("tbtnSetting", tr("General Settings"), "settings", true);
    gap(8);
    tbtnAbout = button("tbtnAbout", tr("About"), "about", true);
    tbtnHelp = button("tbtnHelp", tr("Help"), "help", true);

    connect(tbtnAddFile, &QToolButton::clicked, this, &TMainForm::tbtnAddFileClick);
    connect(tbtnAddDir, &QToolButton::clicked, this, &TMainForm::tbtnAddDirClick);
    connect(tbtnUp, &QToolButton::clicked, this, &TMainForm::tbtnUpClick);
    connect(tbtnDown, &QToolButton::clicked, this, &TMainForm::tbtnDownClick);
    connect(tbtnRemove, &QToolButton::clicked, this, &TMainForm::tbtnRemoveClick);
    connect(tbtnClear, &QToolButton::clicked, this, &TMainForm::tbtnClearClick);
    connect(tbtnHelp, &QToolButton::clicked, this, &TMainForm::tbtnHelpClick);
}

void TMainForm::buildTaskArea() {
    panMain = makePanel(centralWidget(), "panMain");
    auto *row = new QHBoxLayout(panMain);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    panLeft = makePanel(panMain, "panLeft");
    panLeft->setFixedWidth(10);
    panRight = makePanel(panMain, "panRight");
    panRight->setFixedWidth(10);

    ltvTask = new QTreeWidget(panMain);
    ltvTask->setObjectName(QStringLiteral("ltvTask"));
    ltvTask->setColumnCount(4);
    ltvTask->setHeaderLabels({tr("Input File"), tr("Length"), tr("Size"), tr("Status")});
    ltvTask->setRootIsDecorated(false);
    ltvTask->setItemsExpandable(false);
    ltvTask->setUniformRowHeights(true);
    ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ltvTask->setSortingEnabled(false);
    ltvTask->setAllColumnsShowFocus(true);
    ltvTask->header()->setStretchLastSection(false);
    ltvTask->header()->setSectionsClickable(false);
    ltvTask->header()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(243, 243, 243); }"));
    ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    ltvTask->installEventFilter(this);
    ltvTask->viewport()->installEventFilter(this);

    row->addWidget(panLeft);
    row->addWidget(ltvTask, 1);
    row->addWidget(panRight);

    Memo1 = new QPlainTextEdit(panMain);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->hide();

    buildWelcomePanel();
}

void TMainForm::buildWelcomePanel() {
    panltvTask = new QFrame(panMain);
    panltvTask->setObjectName(QStringLiteral("panltvTask"));
    // Laid over the list, one pixel in from its top-left corner; its place and size stay put
    // when the window is resized.
    panltvTask->setGeometry(panLeft->width() + 1, 1, 768, 354);
    panltvTask->setAutoFillBackground(true);
    QPalette white = panltvTask->palette();
    white.setColor(QPalette::Window, Qt::white);
    panltvTask->setPalette(white);

    Image2 = new QLabel(panltvTask);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(0, 0, 768, 354);
    Image2->setPixmap(QIcon(QStringLiteral(":/pictures/welcome.svg")).pixmap(QSize(768, 354)));

    auto styled = [this](const char *name, const QString &text, int left, int top,
                         const QString &family, int pixels, QFont::Weight weight,
                         const QColor &colour) {
        QLabel *label = makeLabel(panltvTask, name, text, left, top);
        QFont font(family);
        font.setPixelSize(pixels);
        font.setWeight(weight);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->adjustSize();
        return label;
    };
    const QString title = QStringLiteral("Arial Black");
    const QString body = QStringLiteral("MS Reference Sans Serif");
    const QString tips = QStringLiteral("MS Sans Serif");
    const QColor steps(13, 148, 221);
    const QColor grey(128, 128, 128);

    labProgramNameShadow =
        styled("labProgramNameShadow", QString(), 18, 20, title, 36, QFont::Black, {202, 202, 202});
    labProgramName = styled("labProgramName", QString(), 16, 18, title, 36, QFont::Black,
                            palette().color(QPalette::WindowText));
    labDecription =
        styled("labDecription", tr("- Merge multiple videos of different formats by 3 steps!"), 78,
               71, body, 17, QFont::Normal, {164, 164, 164});
    labStep1 = styled("labStep1", tr("Add unlimited videos to the list."), 73, 143, body, 17,
                      QFont::Normal, steps);
    labStep2 = styled("labStep2", tr("Specify the output profile and filename."), 73, 174, body, 17,
                      QFont::Normal, steps);
    labStep3 = styled("labStep3", tr("Click on the \"Start\" button."), 73, 206, body, 17,
                      QFont::Normal, steps);
    labTip1 = styled("labTip1",
                     tr("Tips: 1. You can specify the size of output videos by clicking on the "
                        "\"Setting\" button."),
                     40, 297, tips, 13, QFont::Bold, grey);
    labTip2 = styled("labTip2", tr("2. Please ensure the \"Temp Folder\" has enough free space."),
                     84, 320, tips, 13, QFont::Bold, grey);
    panltvTask->raise();
}

void TMainForm::buildBottomBand() {
    panBottom = makePanel(centralWidget(), "panBottom");
    panBottom->setFixedHeight(77);
    auto *fill = new QHBoxLayout(panBottom);
    fill->setContentsMargins(0, 0, 0, 0);
    panBottomRight = makePanel(panBottom, "panBottomRight");
    fill->addWidget(panBottomRight);
    auto *row = new QHBoxLayout(panBottomRight);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // Output area.
    panBottomCenter = makePanel(panBottomRight, "panBottomCenter");
    Label1 = makeLabel(panBottomCenter, "Label1", tr("Profile:"), 40, 16);
    alignRightOf(Label1, 74);
    cmbProfile = new QComboBox(panBottomCenter);
    cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    cmbProfile->setEditable(false);
    cmbProfile->setGeometry(74, 13, 439, 21);
    bbtnSetting = new QPushButton(tr("&Setting"), panBottomCenter);
    bbtnSetting->setObjectName(QStringLiteral("bbtnSetting"));
    bbtnSetting->setGeometry(528, 10, 75, 25);
    Label2 = makeLabel(panBottomCenter, "Label2", tr("Output File:"), 18, 48);
    alignRightOf(Label2, 75);
    edtOutputFile = new QLineEdit(panBottomCenter);
    edtOutputFile->setObjectName(QStringLiteral("edtOutputFile"));
    edtOutputFile->setGeometry(75, 43, 350, 21);
    bbtnBrowser = new QPushButton(tr("&Browser"), panBottomCenter);
    bbtnBrowser->setObjectName(QStringLiteral("bbtnBrowser"));
    bbtnBrowser->setGeometry(440, 41, 75, 25);
    bbtnOpen = new QPushButton(tr("&Open"), panBottomCenter);
    bbtnOpen->setObjectName(QStringLiteral("bbtnOpen"));
    bbtnOpen->setGeometry(528, 40, 75, 25);
    connect(bbtnBrowser, &QPushButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(bbtnOpen, &QPushButton::clicked, this, &TMainForm::bbtnOpenClick);

    // Progress area, shown instead of the output area while a job runs.
    panBottomLeft = makePanel(panBottomRight, "panBottomLeft");
    labProcessTitle =
        makeLabel(panBottomLeft, "labProcessTitle", tr("Converting (Prepare):"), 11, 8);
    labConvertingFile = makeLabel(panBottomLeft, "labConvertingFile", tr("No File"), 113, 8);
    labConvertingFile->setFixedWidth(176);
    label5 = makeLabel(panBottomLeft, "label5", tr("Time Elapsed:"), 298, 8);
    labElapsed = makeLabel(panBottomLeft, "labElapsed", QStringLiteral("00:00:00"), 367, 8);
    label6 = makeLabel(panBottomLeft, "label6", tr("Time Remaining:"), 441, 8);
    labRemaining = makeLabel(panBottomLeft, "labRemaining", QStringLiteral("00:00:00"), 523, 8);
    alignRightOf(labProcessTitle, 113);
    alignRightOf(label5, 367);
    alignRightOf(label6, 523);
    label7 = makeLabel(panBottomLeft, "label7", tr("Current Progress:"), 28, 29);
    pgbCurrent = new QProgressBar(panBottomLeft);
    pgbCurrent->setObjectName(QStringLiteral("pgbCurrent"));
    pgbCurrent->setGeometry(115, 29, 442, 17);
    pgbCurrent->setRange(0, 100);
    pgbCurrent->setValue(0);
    pgbCurrent->setTextVisible(false);
    labCurProgress = makeLabel(panBottomLeft, "labCurProgress", QStringLiteral("0%"), 565, 31);
    alignRightOf(label7, 115);
    label8 = makeLabel(panBottomLeft, "label8", tr("Total Progress:"), 38, 53);
    pgbTotal = new QProgressBar(panBottomLeft);
    pgbTotal->setObjectName(QStringLiteral("pgbTotal"));
    pgbTotal->setGeometry(115, 52, 442, 17);
    pgbTotal->setRange(0, 100);
    pgbTotal->setValue(0);
    pgbTotal->setTextVisible(false);
    labTotalProgress = makeLabel(panBottomLeft, "labTotalProgress", QStringLiteral("0%"), 565, 54);
    alignRightOf(label8, 115);

    // Logo.
    panLogo = makePanel(panBottomRight, "panLogo");
    panLogo->setFixedWidth(178);
    Image1 = new QLabel(panLogo);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QIcon(QStringLiteral(":/pictures/logo.svg")).pixmap(QSize(137, 63)));
    Image1->setGeometry(16, 8, 137, 63);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    row->addWidget(panBottomCenter);
    row->addWidget(panBottomLeft);
    row->addStretch(1);
    row->addWidget(panLogo);
}

void TMainForm::buildPopupMenu() {
    ppmTask = new QMenu(this);
    ppmTask->setObjectName(QStringLiteral("ppmTask"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *action = ppmTask->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    Open1 = item("Open1", tr("Open"));
    ppmTask->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddFiles1 = item("AddFiles1", tr("Add Files..."));
    AddDirectorys1 = item("AddDirectorys1", tr("Add Directorys..."));
    ppmTask->addSeparator()->setObjectName(QStringLiteral("N2"));
    Remove1 = item("Remove1", tr("Remove"));
    Clear1 = item("Clear1", tr("Clear"));

    connect(Open1, &QAction::triggered, this, &TMainForm::ltvTaskDblClick);
    connect(AddFiles1, &QAction::triggered, this, &TMainForm::tbtnAddFileClick);
    connect(AddDirectorys1, &QAction::triggered, this, &TMainForm::tbtnAddDirClick);
    connect(Remove1, &QAction::triggered, this, &TMainForm::tbtnRemoveClick);
    connect(Clear1, &QAction::triggered, this, &TMainForm::tbtnClearClick);
    connect(ppmTask, &QMenu::aboutToShow, this, &TMainForm::ppmTaskPopup);
    connect(ltvTask, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { ppmTask->popup(ltvTask->viewport()->mapToGlobal(pos)); });
}

// --- Start-up and close ------------------------------------------------------------------------

void TMainForm::FormCreate(const QStringList &arguments) {
    FEncoderPath = FAppFolder + kEncoderFile;

    FVersion = platform::ini::readString(preferencesFile(), kMainSection, QStringLiteral("Version"),
                                         kDefaultVersion);
    QCoreApplication::setApplicationName(kProgramName);
    setWindowTitle(kProgramName + QStringLiteral(" V") + FVersion);
    labProgramName->setText(kProgramName);
    labProgramNameShadow->setText(kProgramName);
    labProgramName->adjustSize();
    labProgramNameShadow->adjustSize();

    FHelpFile = FAppFolder + kHelpFile;

    FOutputExts = OutputExtensions();
    FSaveFilter = QtFilter(OutputFilter(FOutputExts));
    FInputExts = InputExtensions();
    FInputMask = InputMask(FInputExts);
    FOpenFilter = QtFilter(InputFilter(FInputExts));

    bool listed = false;
    const QStringList profiles =
        platform::ListFilesByExt(FAppFolder + kProfilesFolder, kProfileExt, &listed);
    if (!listed) {
        showError(tr("Unable to list the profiles in %1")
                      .arg(QDir::toNativeSeparators(FAppFolder + kProfilesFolder)));
    }
    for (const QString &name : profiles)
        cmbProfile->addItem(platform::RemoveFileExt(name));
    cmbProfile->setCurrentIndex(-1);

    const CommandLineEntries entries = EntriesFromArguments(
        arguments,
        [](const QString &path, QString *error) { return platform::files::readAll(path, error); });
    if (!entries.error.isEmpty()) {
        showError(tr("Unable to read the list file %1: %2")
                      .arg(QDir::toNativeSeparators(arguments.constFirst()), entries.error));
    }
    for (const QString &entry : entries.entries) {
        bool goOn = true;
        if (platform::files::fileExists(entry)) {
            if (IsSupportedFile(entry, FInputExts))
                goOn = AddFile(entry);
        } else if (platform::files::folderExists(entry)) {
            goOn = AddDirectory(entry);
        }
        if (!goOn)
            break;
    }
    enableListButtonsIfRows();

    panBottomCenter->setFixedWidth(607);
    panBottomLeft->setFixedWidth(607);
    panBottomLeft->hide();

    ltvTask->setColumnWidth(0, 350);
    ltvTask->setColumnWidth(1, 90);
    ltvTask->setColumnWidth(2, 80);
    ltvTask->setColumnWidth(3, 150);
}

void TMainForm::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    if (cmbProfile->count() > 0) {
        const int index = platform::ini::readInteger(preferencesFile(), kMainSection,
                                                     QStringLiteral("Profile"), 0);
        cmbProfile->setCurrentIndex(index >= 0 && index < cmbProfile->count() ? index : -1);
    }
    edtOutputFile->setText(platform::ini::readString(preferencesFile(), kMainSection,
                                                     QStringLiteral("Output File"), QString()));
}

void TMainForm::closeEvent(QCloseEvent *event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMainForm::FormClose() {
    // A preferences file that cannot be written is reported, and the window still closes: the
    // user could not do anything about it from here.
    try {
        platform::ini::writeInteger(preferencesFile(), kMainSection, QStringLiteral("Profile"),
                                    cmbProfile->currentIndex());
        platform::ini::writeString(preferencesFile(), kMainSection, QStringLiteral("Output File"),
                                   edtOutputFile->text());
    } catch (const platform::ini::WriteError &error) {
        showError(error.text());
    }
}

void TMainForm::showError(const QString &text) {
    platform::dialogs().message(this, kProgramName, text, platform::Dialogs::Icon::Critical,
                                platform::Dialogs::Buttons::Ok, platform::Dialogs::Button::Ok);
}

// --- Adding videos -----------------------------------------------------------------------------

void TMainForm::EnableListButtons(bool enabled) {
    for (QToolButton *button : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        button->setEnabled(enabled);
}

void TMainForm::enableListButtonsIfRows() {
    if (ltvTask->topLevelItemCount() > 0)
        EnableListButtons(true);
}

bool TMainForm::AddFile(const QString &fileName) {
    panltvTask->hide();

    for (int i = 0; i < ltvTask->topLevelItemCount(); ++i) {
        ltvItemData row;
        GetItemData(ltvTask, i, fldCaption, row);
        if (row.InputFile != fileName)
            continue;
        const auto answer = platform::dialogs().message(
            this, tr("Already Listed"),
            tr("This file has been added to the Task List already. Are you sure to add it "
               "again?"),
            platform::Dialogs::Icon::Question, platform::Dialogs::Buttons::YesNo,
            platform::Dialogs::Button::Yes);
        if (answer != platform::Dialogs::Button::Yes)
            return true;
        break;
    }

    auto *item = new QTreeWidgetItem(QStringList{fileName, QString(), QString(), QString()});
    ltvTask->addTopLevelItem(item);
    if (!ProbeVideo(fileName)) {
        // No row without its cells: the row of a file that cannot be read goes again.
        delete item;
        return false;
    }
    const ltvItemData data{fileName, FProbeLength, FProbeSize, status::OK, 0};
    SetItemData(ltvTask, ltvTask->topLevelItemCount() - 1, fldAll, data);
    return true;
}

bool TMainForm::ProbeVideo(const QString &fileName) {
    const ProbeAnswer answer = ProbeMedia(fileName);
    const std::optional<double> milliseconds = ParsePlayTime(answer.playTime);
    if (!milliseconds) {
        showError(tr("'%1' is not a valid floating point value").arg(answer.playTime));
        return false;
    }
    FProbeLength = SecondsToTimeText(*milliseconds / 1000.0);
    FProbeSize = answer.width + u'x' + answer.height;
    return true;
}

bool TMainForm::AddDirectory(const QString &folder) {
    const QString base = platform::IncludeBackslash(folder);
    for (const QString &name : platform::ListFilesByMask(folder, FInputMask)) {
        platform::pumpMessages();
        if (!AddFile(base + name))
            return false;
    }
    return true;
}

void TMainForm::tbtnAddFileClick() {
    platform::Dialogs::OpenRequest request;
    request.filters = FOpenFilter;
    request.selectedFilter = 0;
    request.multiple = true;
    const QStringList files = platform::dialogs().openFiles(this, request);
    if (!files.isEmpty()) {
        // The dialog lists the file the user picked last first, so it is added last.
        bool goOn = true;
        for (qsizetype i = 1; i < files.size() && goOn; ++i)
            goOn = AddFile(files.at(i));
        if (goOn)
            AddFile(files.constFirst());
    }
    enableListButtonsIfRows();
}

void TMainForm::tbtnAddDirClick() {
    const std::optional<QString> folder =
        platform::dialogs().selectFolder(this, tr("Add a directory to the Task List"));
    if (folder)
        AddDirectory(*folder);
    ltvTask->setFocus();
    enableListButtonsIfRows();
}

void TMainForm::DropFiles(const QStringList &paths) {
    panltvTask->hide();
    if (!ltvTask->isEnabled())
        return;
    for (const QString &path : paths) {
        bool goOn = true;
        if (platform::files::folderExists(path))
            goOn = AddDirectory(path);
        else if (IsSupportedFile(path, FInputExts))
            goOn = AddFile(path);
        if (!goOn)
            break;
    }
    enableListButtonsIfRows();
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event) {
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    DropFiles(paths);
}

// --- Editing the list --------------------------------------------------------------------------

void TMainForm::tbtnUpClick() {
    TaskListRows rows(ltvTask);
    MoveSelectedUp(rows);
}

void TMainForm::tbtnDownClick() {
    TaskListRows rows(ltvTask);
    MoveSelectedDown(rows);
}

void TMainForm::tbtnRemoveClick() {
    for (int i = ltvTask->topLevelItemCount() - 1; i >= 0; --i) {
        if (ltvTask->topLevelItem(i)->isSelected())
            delete ltvTask->takeTopLevelItem(i);
    }
    if (ltvTask->topLevelItemCount() == 0)
        EnableListButtons(false);
}

void TMainForm::tbtnClearClick() {
    for (int i = ltvTask->topLevelItemCount() - 1; i >= 0; --i)
        delete ltvTask->takeTopLevelItem(i);
    EnableListButtons(false);
}

void TMainForm::ltvTaskDblClick() {
    for (int i = 0; i < ltvTask->topLevelItemCount(); ++i) {
        if (!ltvTask->topLevelItem(i)->isSelected())
            continue;
        ltvItemData row;
        GetItemData(ltvTask, i, fldCaption, row);
        platform::shell().open(row.InputFile);
        return;
    }
}

void TMainForm::ppmTaskPopup() {
    const bool anySelected = !ltvTask->selectedItems().isEmpty();
    Open1->setEnabled(anySelected);
    Remove1->setEnabled(anySelected);
    Clear1->setEnabled(ltvTask->topLevelItemCount() > 0);
    AddFiles1->setEnabled(true);
    AddDirectorys1->setEnabled(true);
}

bool TMainForm::ltvTaskKeyDown(int key) {
    if (key == Qt::Key_Backspace) {
        tbtnClearClick();
        return true;
    }
    if (key == Qt::Key_Delete) {
        tbtnRemoveClick();
        return true;
    }
    return false;
}

void TMainForm::ltvTaskResize(int newWidth) {
    const int delta = newWidth - FListWidth;
    FListWidth = newWidth;
    if (delta == 0)
        return;
    QList<int> widths;
    for (int column = 0; column < ltvTask->columnCount(); ++column)
        widths.append(ltvTask->columnWidth(column));
    widths = SpreadWidthChange(widths, delta);
    for (int column = 0; column < widths.size(); ++column)
        ltvTask->setColumnWidth(column, widths.at(column));
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ltvTask) {
        if (event->type() == QEvent::Resize)
            ltvTaskResize(static_cast<QResizeEvent *>(event)->size().width());
        else if (event->type() == QEvent::KeyPress &&
                 ltvTaskKeyDown(static_cast<QKeyEvent *>(event)->key()))
            return true;
    } else if (watched == ltvTask->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            ltvTaskDblClick();
            return true;
        }
    } else if (watched == Image1) {
        if (event->type() == QEvent::MouseButtonRelease) {
            Image1Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Simple commands ---------------------------------------------------------------------------

void TMainForm::tbtnHelpClick() {
    platform::shell().open(FHelpFile);
}

void TMainForm::bbtnBrowserClick() {
    platform::Dialogs::SaveRequest request;
    request.filters = FSaveFilter;
    request.defaultSuffix = QStringLiteral("avi");
    request.initialPath = edtOutputFile->text();
    const std::optional<QString> file = platform::dialogs().saveFile(this, request);
    if (file)
        edtOutputFile->setText(*file);
}

void TMainForm::bbtnOpenClick() {
    const QString text = edtOutputFile->text();
    if (platform::files::fileExists(text)) {
        platform::shell().open(text);
        return;
    }
    const QString folder = platform::ExtractFileDir(text);
    if (platform::files::folderExists(folder))
        platform::shell().open(folder);
}

void TMainForm::Image1Click() {
    platform::shell().open(kHomePageUrl);
}
