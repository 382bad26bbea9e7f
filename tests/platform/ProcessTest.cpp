#include "platform/Process.h"

#include "../common/QtPrinters.h"

#include <QElapsedTimer>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

// Everything the child writes until it ends, as the encoder runs read it.
std::string readToEnd(platform::Process &process, int timeoutMs = 100) {
    std::string text;
    char buffer[4095];
    std::size_t count = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        const auto result = process.read(buffer, sizeof buffer, timeoutMs, &count);
        if (result == platform::Process::Read::Ended)
            break;
        text.append(buffer, count);
    }
    return text;
}

TEST(Process, MergesStandardOutputAndErrorIntoOnePipe) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "printf out; printf err >&2; printf more"}));
    EXPECT_EQ(readToEnd(process), "outerrmore");
    EXPECT_EQ(process.wait(), 0);
}

TEST(Process, PassesEveryArgumentWholeWithoutAShell) {
    platform::Process process;
    const QStringList arguments{"-c",          "for a in \"$@\"; do printf '[%s]' \"$a\"; done",
                                "sh",          "a b",
                                "\"quoted\"",  "",
                                "-o",          "$HOME",
                                "été;rm -rf x"};
    ASSERT_TRUE(process.start("/bin/sh", arguments));
    EXPECT_EQ(QString::fromStdString(readToEnd(process)),
              QStringLiteral("[a b][\"quoted\"][][-o][$HOME][été;rm -rf x]"));
}

TEST(Process, ReportsTheExitStatus) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "exit 3"}));
    readToEnd(process);
    EXPECT_EQ(process.wait(), 3);
}

TEST(Process, AProgramThatDoesNotExistCannotStart) {
    platform::Process process;
    EXPECT_FALSE(process.start("/nonexistent/asapi.dll", {}));
    EXPECT_FALSE(process.errorText().isEmpty());
    EXPECT_FALSE(process.running());
}

TEST(Process, ReadWaitsNoLongerThanAsked) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sleep", {"5"}));
    char buffer[16];
    std::size_t count = 99;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(process.read(buffer, sizeof buffer, 50, &count), platform::Process::Read::Timeout);
    EXPECT_EQ(count, 0u);
    EXPECT_LT(clock.elapsed(), 2000);
    process.kill();
}

TEST(Process, KillEndsTheChildAndBreaksThePipe) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "printf started; exec sleep 30"}));
    char buffer[64];
    std::size_t count = 0;
    ASSERT_EQ(process.read(buffer, sizeof buffer, 5000, &count), platform::Process::Read::Data);
    EXPECT_EQ(std::string(buffer, count), "started");

    QElapsedTimer clock;
    clock.start();
    process.kill();
    EXPECT_EQ(readToEnd(process), "");
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(process.wait(), -1);  // ended by a signal
    process.kill();                 // killing an ended child does nothing
    EXPECT_FALSE(process.running());
}

TEST(Process, ReadsAtMostTheBytesAsked) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "head -c 10000 /dev/zero"}));
    char buffer[4095];
    std::size_t total = 0;
    std::size_t count = 0;
    while (process.read(buffer, sizeof buffer, 1000, &count) != platform::Process::Read::Ended) {
        EXPECT_LE(count, sizeof buffer);
        total += count;
    }
    EXPECT_EQ(total, 10000u);
}

}  // namespace
