#include "encoder/Progress.h"

#include <algorithm>
#include <cmath>

namespace asapi {

std::string formatProgressLine(const ProgressFigures &f) {
    int percent = 0;
    int remainingMinutes = 0;
    if (f.totalSeconds > 0) {
        percent =
            static_cast<int>(std::clamp(f.positionSeconds / f.totalSeconds * 100, 0.0, 100.0));
        double speed = f.elapsedSeconds > 0 ? f.positionSeconds / f.elapsedSeconds : 0;
        if (speed > 0)
            remainingMinutes =
                static_cast<int>(std::max(0.0, (f.totalSeconds - f.positionSeconds) / speed) / 60);
    }
    double framesPerSecond = f.elapsedSeconds > 0 ? f.frames / f.elapsedSeconds : 0;
    char line[160];
    std::snprintf(line, sizeof line,
                  "Pos:%6.1fs %6lldf (%3d%%) %6.2ffps Trem:%4dmin %3dmb  A-V:%5.3f [%d:%d]\r",
                  f.positionSeconds, static_cast<long long>(f.frames), percent, framesPerSecond,
                  remainingMinutes, static_cast<int>(f.outputBytes / 1000000), 0.0, f.videoKbit,
                  f.audioKbit);
    return line;
}

double ProgressPrinter::elapsedSeconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

bool ProgressPrinter::due() const {
    return !printed_ || Clock::now() - last_ >= kInterval;
}

void ProgressPrinter::print(ProgressFigures figures) {
    figures.elapsedSeconds = elapsedSeconds();
    std::string line = formatProgressLine(figures);
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    last_ = Clock::now();
    printed_ = true;
}

}  // namespace asapi
