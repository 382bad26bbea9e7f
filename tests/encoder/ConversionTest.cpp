// The per-input conversion, run with the command line that the joiner writes for it.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "CommandLines.h"
#include "Harness.h"

namespace asapi::test {
namespace {

struct ConversionCase {
    const char *file;
    const char *what;
};

std::ostream &operator<<(std::ostream &os, const ConversionCase &c) {
    return os << c.file << " (" << c.what << ")";
}

const ConversionCase kInputs[] = {
    {"h264_aac.mp4", "H.264 and AAC in MP4, 320x240, 25 fps, 48 kHz"},
    {"mpeg4_pcm.mov", "MPEG-4 and mono PCM in QuickTime, 240x180, 24 fps, 22.05 kHz"},
    {"mpeg2_mp2.mpg", "MPEG-2 and MP2 in a program stream, 352x288, 29.97 fps, 44.1 kHz"},
    {"wmv2_wma.wmv", "WMV2 and WMA in ASF, 176x144, 15 fps, 32 kHz"},
    {"video_only.avi", "MJPEG without sound, 20 fps"},
    {"audio_only.mp3", "MP3 without pictures"},
    {"empty_chunks.avi", "AVI with empty chunks for left-out frames"},
};

class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, GivesAnAviAtTheGivenSizeAnd30FpsWithMp3InStep) {
    TempDir dir;
    const auto input = media(GetParam().file);
    const auto output = dir / "0.avi";
    const MediaFacts in = probe(input);
    ASSERT_GT(in.duration, 0) << "test media missing: " << input;

    RunResult run = runEncoder(conversionArgs(input.string(), output.string(), "640:480"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const MediaFacts out = probe(output);
    EXPECT_EQ(out.formatName, "avi");
    ASSERT_TRUE(out.video);
    ASSERT_TRUE(out.audio);
    EXPECT_EQ(out.video->codec, "mpeg4");
    EXPECT_EQ(out.video->width, 640);
    EXPECT_EQ(out.video->height, 480);
    EXPECT_EQ(out.video->frameRate, "30/1");
    EXPECT_EQ(out.audio->codec, "mp3");
    EXPECT_EQ(out.audio->sampleRate, 44100);
    EXPECT_EQ(out.audio->channels, 2);

    const double pictures = out.video->frames / 30.0;
    EXPECT_NEAR(pictures, in.duration, 0.1);
    EXPECT_NEAR(out.audio->duration, pictures, 1 / 30.0);
    EXPECT_EQ(decodeErrors(output), "");
}

INSTANTIATE_TEST_SUITE_P(Encoder, Conversion, ::testing::ValuesIn(kInputs));

TEST(Encoder, ConversionOf20sAt25FpsGives600FramesAt30) {
    TempDir dir;
    RunResult run = runEncoder(
        conversionArgs(media("long_25fps.mp4").string(), (dir / "0.avi").string(), "160:120"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const MediaFacts out = probe(dir / "0.avi");
    ASSERT_TRUE(out.video);
    EXPECT_EQ(out.video->frames, 600);
    ASSERT_TRUE(out.audio);
    EXPECT_NEAR(out.audio->duration, 20.0, 1 / 30.0);
}

struct SizeCase {
    const char *size;
    int width;
    int height;
};

std::ostream &operator<<(std::ostream &os, const SizeCase &c) {
    return os << "scale=" << c.size;
}

// The source is 352x288 with square pixels: one number keeps its shape, rounded to even.
const SizeCase kSizes[] = {
    {"160:120", 160, 120}, {"200:", 200, 164}, {"200", 200, 164},
    {":100", 122, 100},    {":", 352, 288},    {"", 352, 288},
};

class ConversionSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ConversionSize, FollowsTheScaleText) {
    TempDir dir;
    RunResult run = runEncoder(
        conversionArgs(media("mpeg2_mp2.mpg").string(), (dir / "0.avi").string(), GetParam().size));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const MediaFacts out = probe(dir / "0.avi");
    ASSERT_TRUE(out.video);
    EXPECT_EQ(out.video->width, GetParam().width);
    EXPECT_EQ(out.video->height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Encoder, ConversionSize, ::testing::ValuesIn(kSizes));

// Left-out frames in an AVI are empty index chunks. Each stands for the previous picture held one
// frame longer: read as the end of the stream the picture would freeze, and read as nothing the
// later pictures would come too early and the clip would run short.
TEST(Encoder, EmptyAviChunksRepeatThePreviousPictureAndTheVideoGoesOn) {
    TempDir dir;
    const auto output = dir / "0.avi";
    RunResult run =
        runEncoder(conversionArgs(media("empty_chunks.avi").string(), output.string(), "160:120"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(probe(output).video->frames, 84);

    // Output frame 75 (2.5 s) shows source frame 24 (2.4 s, the last one kept before it).
    auto psnrAgainstSource = [&](int sourceFrame) {
        RunResult cmp = runProgram(
            "ffmpeg", {"-nostdin", "-hide_banner", "-nostats", "-i", output.string(), "-f", "lavfi",
                       "-i", "testsrc=size=160x120:rate=10:duration=3", "-lavfi",
                       "[0:v]select=eq(n\\,75),setpts=0[a];[1:v]select=eq(n\\," +
                           std::to_string(sourceFrame) + "),setpts=0[b];[a][b]psnr",
                       "-f", "null", "-"});
        auto at = cmp.err.find("average:");
        return at == std::string::npos ? -1.0 : std::atof(cmp.err.c_str() + at + 8);
    };
    const double right = psnrAgainstSource(24);
    const double frozen = psnrAgainstSource(0);
    EXPECT_GT(right, 25.0);
    EXPECT_GT(right, frozen + 5.0);
}

}  // namespace
}  // namespace asapi::test

namespace asapi::test {
namespace {

struct SettingCase {
    const char *name;
    const char *output;
    std::vector<std::string> options;
    int width;
    int height;
    const char *frameRate;
    long frames;  // of the 3 s input
};

std::ostream &operator<<(std::ostream &os, const SettingCase &c) {
    return os << c.name;
}

const SettingCase kSettings[] = {
    // x264 takes even sizes only: an odd one grows by a pixel instead of failing.
    {"h264_odd_size",
     "out.mp4",
     {"-lavcopts", "vcodec=h264", "-oac", "lavc", "-lavcopts", "acodec=aac", "-vf",
      "scale=161:121"},
     162,
     122,
     "25/1",
     75},
    // MPEG-1 knows eight frame rates; 17 fps becomes the nearest of them.
    {"mpeg1_nearest_standard_rate",
     "out.mpg",
     {"-lavcopts", "vcodec=mpeg1video", "-oac", "lavc", "-lavcopts", "acodec=mp2", "-ofps", "17",
      "-vf", "scale=160:120"},
     160,
     120,
     "24000/1001",
     72},
    {"decimal_rate",
     "out.avi",
     {"-ofps", "29.97", "-vf", "scale=160:120"},
     160,
     120,
     "30000/1001",
     90},
    {"first_input_rate_without_ofps", "out.avi", {"-vf", "scale=160:120"}, 160, 120, "25/1", 75},
};

class OutputSetting : public ::testing::TestWithParam<SettingCase> {};

TEST_P(OutputSetting, IsHonouredOrBroughtToTheNearestTheCodecTakes) {
    const SettingCase &c = GetParam();
    TempDir dir;
    std::vector<std::string> args = {media("h264_aac.mp4").string(), "-o",
                                     (dir / c.output).string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    RunResult run = runEncoder(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const MediaFacts out = probe(dir / c.output);
    ASSERT_TRUE(out.video);
    EXPECT_EQ(out.video->width, c.width);
    EXPECT_EQ(out.video->height, c.height);
    EXPECT_EQ(out.video->frameRate, c.frameRate);
    EXPECT_EQ(out.video->frames, c.frames);
}

INSTANTIATE_TEST_SUITE_P(Encoder,
                         OutputSetting,
                         ::testing::ValuesIn(kSettings),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace asapi::test
