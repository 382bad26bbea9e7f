#include "platform/Platform.h"

#include "platform/Dialogs.h"

#include <QCoreApplication>

#include <cassert>

namespace platform {

namespace {

Services &installed() {
    static Services services;
    return services;
}

}  // namespace

void install(Services services) {
    installed() = std::move(services);
}

Dialogs &dialogs() {
    assert(installed().dialogs);
    return *installed().dialogs;
}

Shell &shell() {
    assert(installed().shell);
    return *installed().shell;
}

Power &power() {
    assert(installed().power);
    return *installed().power;
}

void pumpMessages() {
    QCoreApplication::processEvents();
}

}  // namespace platform
