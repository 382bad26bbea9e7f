// Adds every video of a folder to a real main window through AddDirectory and prints the time
// per file. Usage: bench_add_folder FOLDER [REPEATS]
#include "app/Main.h"
#include "common/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_add_folder FOLDER [REPEATS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    fake::Platform fakes;
    QTemporaryDir appFolder;
    QDir(appFolder.path()).mkdir(QStringLiteral("Profiles"));
    std::vector<double> perFile;
    int rows = 0;
    for (int run = 0; run < repeats; ++run) {
        TMainForm form(appFolder.path(), {});
        QElapsedTimer clock;
        clock.start();
        const bool ok = form.AddDirectory(folder);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        rows = form.ltvTask->topLevelItemCount();
        if (!ok || rows == 0 || !fakes.dialogs->messages.empty()) {
            std::fprintf(stderr, "adding failed after %d rows\n", rows);
            return 1;
        }
        perFile.push_back(ms / rows);
    }
    std::sort(perFile.begin(), perFile.end());
    // The median run, in milliseconds per file.
    std::printf("%d %.4f\n", rows, perFile[perFile.size() / 2]);
    return 0;
}
