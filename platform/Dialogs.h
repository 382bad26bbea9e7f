#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace platform {

// Message boxes and the file and folder pickers. The program asks through this interface so
// that tests can answer instead of a person.
class Dialogs {
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Button { None, Ok, Yes, No };
    enum class Buttons { Ok, YesNo };

    struct OpenRequest {
        QString caption;      // empty: the platform's default title
        QStringList filters;  // in Qt's notation, "AVI Files (*.avi)"
        int selectedFilter = 0;
        bool multiple = true;
    };
    struct SaveRequest {
        QString caption;
        QStringList filters;
        int selectedFilter = 0;
        QString defaultSuffix;  // added when the user types a name without an extension
        QString initialPath;
    };

    virtual ~Dialogs() = default;

    // Shows a message box owned by owner and returns the button pressed.
    virtual Button message(QWidget *owner,
                           const QString &caption,
                           const QString &text,
                           Icon icon,
                           Buttons buttons,
                           Button defaultButton) = 0;

    // Files the user chose, in the order the dialog lists them; empty when cancelled.
    virtual QStringList openFiles(QWidget *owner, const OpenRequest &request) = 0;

    // The file name the user confirmed, or nothing when cancelled.
    virtual std::optional<QString> saveFile(QWidget *owner, const SaveRequest &request) = 0;

    // The folder the user chose (only file-system folders), or nothing when cancelled.
    virtual std::optional<QString> selectFolder(QWidget *owner, const QString &title) = 0;
};

}  // namespace platform
