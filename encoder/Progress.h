// Progress text in MEncoder's form, which the joiner reads from the pipe: the number after
// "Pos:" up to the next "s" is the position in seconds of output time.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace asapi {

struct ProgressFigures {
    double positionSeconds = 0;
    int64_t frames = 0;
    double totalSeconds = 0;  // 0 when the inputs' lengths are unknown
    double elapsedSeconds = 0;
    int64_t outputBytes = 0;
    int videoKbit = 0;
    int audioKbit = 0;
};

// One line, ending in a carriage return so that a terminal shows it in place.
std::string formatProgressLine(const ProgressFigures &figures);

// Prints a line at most every quarter second of work, and on request at once.
class ProgressPrinter {
public:
    explicit ProgressPrinter(std::FILE *out) : out_(out), start_(Clock::now()) {}

    double elapsedSeconds() const;
    bool due() const;
    void print(ProgressFigures figures);

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{200};

    std::FILE *out_;
    Clock::time_point start_;
    Clock::time_point last_{};
    bool printed_ = false;
};

}  // namespace asapi
