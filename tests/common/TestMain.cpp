#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    // The offscreen platform needs no display; a test run from a desktop terminal stays quiet.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
