// The real OS services: Qt's message boxes and file dialogs, the desktop's "open", and
// systemd-logind's power-off.
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::None:
            return QMessageBox::NoIcon;
        case Dialogs::Icon::Information:
            return QMessageBox::Information;
        case Dialogs::Icon::Question:
            return QMessageBox::Question;
        case Dialogs::Icon::Warning:
            return QMessageBox::Warning;
        case Dialogs::Icon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Dialogs::Button button) {
    switch (button) {
        case Dialogs::Button::Ok:
            return QMessageBox::Ok;
        case Dialogs::Button::Yes:
            return QMessageBox::Yes;
        case Dialogs::Button::No:
            return QMessageBox::No;
        case Dialogs::Button::None:
            break;
    }
    return QMessageBox::NoButton;
}

class QtDialogs final : public Dialogs {
public:
    Button message(QWidget *owner,
                   const QString &caption,
                   const QString &text,
                   Icon icon,
                   Buttons buttons,
                   Button defaultButton) override {
        QMessageBox box(
            toQt(icon), caption, text,
            buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
            owner);
        if (defaultButton != Button::None)
            box.setDefaultButton(toQt(defaultButton));
        switch (box.exec()) {
            case QMessageBox::Yes:
                return Button::Yes;
            case QMessageBox::No:
                return Button::No;
            case QMessageBox::Ok:
                return Button::Ok;
            default:
                return Button::None;
        }
    }

    QStringList openFiles(QWidget *owner, const OpenRequest &request) override {
        QFileDialog dialog(owner, request.caption);
        dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles
                                            : QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::ReadOnly, false);
        dialog.setNameFilters(request.filters);
        if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
            dialog.selectNameFilter(request.filters.at(request.selectedFilter));
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }

    std::optional<QString> saveFile(QWidget *owner, const SaveRequest &request) override {
        QFileDialog dialog(owner, request.caption);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The overwrite policy is applied when a job starts, not here.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setNameFilters(request.filters);
        if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
            dialog.selectNameFilter(request.filters.at(request.selectedFilter));
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.initialPath.isEmpty())
            dialog.selectFile(request.initialPath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> selectFolder(QWidget *owner, const QString &title) override {
        const QString folder =
            QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
        if (folder.isEmpty())
            return std::nullopt;
        return folder;
    }
};

class DesktopShell final : public Shell {
public:
    void open(const QString &pathOrUrl) override {
        const QUrl url = QUrl::fromUserInput(pathOrUrl, QString(), QUrl::AssumeLocalFile);
        QDesktopServices::openUrl(url);
    }
};

class LogindPower final : public Power {
public:
    void powerOff() override {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
        call << false;  // not interactive: no password prompt
        const QDBusMessage reply = QDBusConnection::systemBus().call(call);
        if (reply.type() == QDBusMessage::ErrorMessage)
            QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
    }
};

}  // namespace

Services realServices() {
    return Services{std::make_shared<QtDialogs>(), std::make_shared<DesktopShell>(),
                    std::make_shared<LogindPower>()};
}

}  // namespace platform
