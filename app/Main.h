#pragma once

#include <QMainWindow>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;

// The main window: the task list, the output profile and file, the progress of a job.
// Its controls are public members named as in the window's design, each with the same
// objectName, so that the job and the dialogs reach them directly and tests find them.
class TMainForm final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    // appFolder ends in a separator; arguments are the command-line arguments after the program.
    TMainForm(const QString &appFolder, const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Toolbar.
    QToolBar *Toolbar1 = nullptr;
    QToolButton *tbtnAddFile = nullptr;
    QToolButton *tbtnAddDir = nullptr;
    QToolButton *tbtnUp = nullptr;
    QToolButton *tbtnDown = nullptr;
    QToolButton *tbtnRemove = nullptr;
    QToolButton *tbtnClear = nullptr;
    QToolButton *tbtnStart = nullptr;
    QToolButton *tbtnStop = nullptr;
    QToolButton *tbtnSetting = nullptr;
    QToolButton *tbtnAbout = nullptr;
    QToolButton *tbtnHelp = nullptr;

    // Task area.
    QWidget *panMain = nullptr;
    QWidget *panLeft = nullptr;
    QWidget *panRight = nullptr;
    QTreeWidget *ltvTask = nullptr;
    QPlainTextEdit *Memo1 = nullptr;

    // Welcome panel over the empty task list.
    QFrame *panltvTask = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *labProgramNameShadow = nullptr;
    QLabel *labProgramName = nullptr;
    QLabel *labDecription = nullptr;
    QLabel *labStep1 = nullptr;
    QLabel *labStep2 = nullptr;
    QLabel *labStep3 = nullptr;
    QLabel *labTip1 = nullptr;
    QLabel *labTip2 = nullptr;

    // Bottom band: output area, progress area, logo.
    QWidget *panBottom = nullptr;
    QWidget *panBottomRight = nullptr;
    QWidget *panBottomCenter = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbProfile = nullptr;
    QPushButton *bbtnSetting = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *edtOutputFile = nullptr;
    QPushButton *bbtnBrowser = nullptr;
    QPushButton *bbtnOpen = nullptr;

    QWidget *panBottomLeft = nullptr;
    QLabel *labProcessTitle = nullptr;
    QLabel *labConvertingFile = nullptr;
    QLabel *label5 = nullptr;
    QLabel *labElapsed = nullptr;
    QLabel *label6 = nullptr;
    QLabel *labRemaining = nullptr;
    QLabel *label7 = nullptr;
    QProgressBar *pgbCurrent = nullptr;
    QLabel *labCurProgress = nullptr;
    QLabel *label8 = nullptr;
    QProgressBar *pgbTotal = nullptr;
    QLabel *labTotalProgress = nullptr;

    QWidget *panLogo = nullptr;
    QLabel *Image1 = nullptr;

    // Pop-up menu of the task list.
    QMenu *ppmTask = nullptr;
    QAction *Open1 = nullptr;
    QAction *AddFiles1 = nullptr;
    QAction *AddDirectorys1 = nullptr;
    QAction *Remove1 = nullptr;
    QAction *Clear1 = nullptr;

    QTimer *timerTime = nullptr;

    // Set at start-up, fixed afterwards.
    QString FAppFolder;
    QString FEncoderPath;
    QString FHelpFile;
    QString FVersion;
    QStringList FOutputExts;
    QStringList FInputExts;
    QString FInputMask;
    QStringList FOpenFilter;  // Qt notation, "All Support Files" first
    QStringList FSaveFilter;

    // Answers of the last ProbeVideo.
    QString FProbeLength;
    QString FProbeSize;

    // The task list's width at its last resize.
    int FListWidth = 562;

    QString preferencesFile() const;

    // Adding videos. Each returns false when the add operation in progress must stop: a file
    // whose play time cannot be read has been reported and its row removed again.
    bool AddFile(const QString &fileName);
    bool AddDirectory(const QString &folder);
    bool ProbeVideo(const QString &fileName);
    // What a drop on the window does with the dropped paths, in the order given.
    void DropFiles(const QStringList &paths);

    // Enables Move Up, Move Down, Remove, Clear and Start, or disables them.
    void EnableListButtons(bool enabled);

public slots:
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void tbtnHelpClick();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void Image1Click();
    void ltvTaskDblClick();
    void ltvTaskResize(int newWidth);
    void ppmTaskPopup();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolbar();
    void buildTaskArea();
    void buildWelcomePanel();
    void buildBottomBand();
    void buildPopupMenu();

    void FormCreate(const QStringList &arguments);
    void FormShow();
    void FormClose();
    // Key handling of the task list; true when the key was used.
    bool ltvTaskKeyDown(int key);

    // Shows an error that ends a handler, as the application's error box.
    void showError(const QString &text);
    void enableListButtonsIfRows();

    bool m_shown = false;
};
