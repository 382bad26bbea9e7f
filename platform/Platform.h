#pragma once

#include <QString>

#include <memory>

namespace platform {

class Dialogs;

// Opening files, folders and web addresses with the desktop's associated program. The result is
// never examined: a target that cannot be opened is the desktop's business.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString &pathOrUrl) = 0;
};

// Turning the computer off at the end of a job.
class Power {
public:
    virtual ~Power() = default;
    virtual void powerOff() = 0;
};

// The services of the OS that the windows use. The program installs the real ones at start-up;
// tests install fakes that never wait for a person, open anything or power anything off.
struct Services {
    std::shared_ptr<Dialogs> dialogs;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<Power> power;
};

void install(Services services);
Dialogs &dialogs();
Shell &shell();
Power &power();

// The real services: Qt's dialogs and desktop services, and systemd-logind for power-off.
Services realServices();

// Lets the window system handle the events that are waiting, from inside a long handler.
void pumpMessages();

}  // namespace platform
