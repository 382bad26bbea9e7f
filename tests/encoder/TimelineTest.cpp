// The output timeline: frame counts, sound and picture in step at every joint, and the progress
// text that the joiner reads.
#include <gtest/gtest.h>

#include <regex>

#include "CommandLines.h"
#include "Harness.h"

namespace asapi::test {
namespace {

std::vector<double> reportedTimes(const std::string &report, const std::string &key) {
    std::vector<double> times;
    std::regex pattern(key + ":\\s*(-?[0-9.]+)");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), pattern);
         it != std::sregex_iterator(); ++it)
        times.push_back(std::stod((*it)[1]));
    return times;
}

TEST(Encoder, JoinOf20sAnd20sAt30FpsHas1200Frames) {
    TempDir dir;
    const std::string input = media("long_25fps.mp4").string();
    ASSERT_EQ(runEncoder(conversionArgs(input, (dir / "0.avi").string(), "160:120")).exitCode, 0);
    ASSERT_EQ(runEncoder(conversionArgs(input, (dir / "1.avi").string(), "160:120")).exitCode, 0);
    RunResult run =
        runEncoder({(dir / "0.avi").string(), (dir / "1.avi").string(), "-o",
                    (dir / "out.avi").string(), "", "-ovc", "lavc", "-lavcopts",
                    "vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", "-oac", "mp3lame", "-lameopts",
                    "vbr=2:q=6", "-channels", "2", "-vf", "scale=160:120", "-srate", "44100"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const MediaFacts out = probe(dir / "out.avi");
    EXPECT_EQ(out.video->frames, 1200);
    EXPECT_NEAR(out.audio->duration, 40.0, 1 / 30.0);
}

// Pictures without sound, then sound without pictures, then both: silence lasts exactly as long
// as the first input and black exactly as long as the second, to the frame.
TEST(Encoder, SoundAndPictureStayInStepAtEveryJoint) {
    TempDir dir;
    const auto output = dir / "out.avi";
    RunResult run = runEncoder({media("video_only.avi").string(), media("audio_only.mp3").string(),
                                media("h264_aac.mp4").string(), "-o", output.string(), "-ovc",
                                "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800", "-oac", "pcm",
                                "-ofps", "30", "-vf", "scale=160:120"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const MediaFacts out = probe(output);
    EXPECT_EQ(out.video->frames, 60 + 60 + 90);
    EXPECT_NEAR(out.duration, 7.0, 1 / 30.0);  // PCM in AVI: the file's length is the sound's

    const std::string silence = filterReport(output, "-af", "silencedetect=n=-50dB:d=0.5");
    const auto silenceEnds = reportedTimes(silence, "silence_end");
    ASSERT_EQ(silenceEnds.size(), 1u) << silence;
    EXPECT_NEAR(silenceEnds[0], 2.0, 1 / 30.0);

    const std::string black = filterReport(output, "-vf", "blackdetect=d=0.5:pix_th=0.1");
    const auto blackStarts = reportedTimes(black, "black_start");
    const auto blackEnds = reportedTimes(black, "black_end");
    ASSERT_EQ(blackStarts.size(), 1u) << black;
    ASSERT_EQ(blackEnds.size(), 1u) << black;
    EXPECT_NEAR(blackStarts[0], 2.0, 1 / 30.0 + 0.001);
    EXPECT_NEAR(blackEnds[0], 4.0, 1 / 30.0 + 0.001);
}

// The joiner reads the text after the first "Pos:" up to the next "s" as a decimal number.
TEST(Encoder, ProgressLinesParseGoOnlyForwardAndEndAtTheTotal) {
    TempDir dir;
    const std::string input = media("long_25fps.mp4").string();
    RunResult run = runEncoder({input, input, "-o", (dir / "out.avi").string(), "-ovc", "lavc",
                                "-lavcopts", "vcodec=mpeg4:vbitrate=1500", "-vf", "scale=640:480"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = progressLines(run.out);
    ASSERT_GE(lines.size(), 2u) << run.out;
    // Printed at least every quarter second of work; the bound is loose for a busy machine.
    EXPECT_GE(static_cast<double>(lines.size()), run.seconds / 0.5);

    const std::regex form(
        R"(Pos: *[0-9]+\.[0-9]s +[0-9]+f \( *[0-9]+%\) +[0-9]+\.[0-9]{2}fps Trem: +[0-9]+min +[0-9]+mb  A-V:[0-9]\.[0-9]{3} \[[0-9]+:[0-9]+\])");
    double last = -1;
    for (const std::string &line : lines) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(std::regex_match(line, form));
        auto position = joinerPosition(line);
        ASSERT_TRUE(position);
        EXPECT_GE(*position, last);
        last = *position;
    }
    EXPECT_NEAR(last, 40.0, 0.4);
    // Every line ends in a carriage return, the last one included.
    EXPECT_NE(run.out.find(lines.back() + "\r"), std::string::npos);
}

}  // namespace
}  // namespace asapi::test
