#pragma once

#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Stand-ins for what a test must not do for real: wait for a person at a dialog, open files on
// the desktop, power the machine off. Each records what it was asked and answers as scripted.
namespace fake {

struct Message {
    QString caption;
    QString text;
    platform::Dialogs::Icon icon;
    platform::Dialogs::Buttons buttons;
    platform::Dialogs::Button defaultButton;
};

class Dialogs final : public platform::Dialogs {
public:
    // Answers to questions, in order; a question with no scripted answer gets No.
    std::deque<Button> answers;
    std::deque<QStringList> openAnswers;
    // A null text, or no scripted answer, cancels the dialog.
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;

    std::vector<Message> messages;
    std::vector<OpenRequest> openRequests;
    std::vector<SaveRequest> saveRequests;
    std::vector<QString> folderTitles;

    Button message(QWidget *,
                   const QString &caption,
                   const QString &text,
                   Icon icon,
                   Buttons buttons,
                   Button defaultButton) override {
        messages.push_back({caption, text, icon, buttons, defaultButton});
        if (buttons == Buttons::Ok)
            return Button::Ok;
        if (answers.empty())
            return Button::No;
        const Button answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList openFiles(QWidget *, const OpenRequest &request) override {
        openRequests.push_back(request);
        return pop(openAnswers, QStringList());
    }

    std::optional<QString> saveFile(QWidget *, const SaveRequest &request) override {
        saveRequests.push_back(request);
        return chosen(pop(saveAnswers, QString()));
    }

    std::optional<QString> selectFolder(QWidget *, const QString &title) override {
        folderTitles.push_back(title);
        return chosen(pop(folderAnswers, QString()));
    }

private:
    static std::optional<QString> chosen(const QString &answer) {
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

    template <typename T>
    static T pop(std::deque<T> &queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

class Shell final : public platform::Shell {
public:
    QStringList opened;
    void open(const QString &pathOrUrl) override { opened.append(pathOrUrl); }
};

class Power final : public platform::Power {
public:
    int powerOffs = 0;
    void powerOff() override { ++powerOffs; }
};

// Installs fresh fakes for one test and keeps them reachable.
struct Platform {
    std::shared_ptr<Dialogs> dialogs = std::make_shared<Dialogs>();
    std::shared_ptr<Shell> shell = std::make_shared<Shell>();
    std::shared_ptr<Power> power = std::make_shared<Power>();

    Platform() { platform::install({dialogs, shell, power}); }
    ~Platform() { platform::install({}); }
};

}  // namespace fake
