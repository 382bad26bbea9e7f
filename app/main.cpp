#include "app/Main.h"
#include "app/Program.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/app-icon.svg")));
    platform::install(platform::realServices());

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TMainForm MainForm(QApplication::applicationDirPath(), arguments);
    MainForm.show();
    return application.exec();
}
