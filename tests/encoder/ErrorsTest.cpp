// Every failure ends the run with status 1, one line on standard error, and no output file.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <ostream>
#include <regex>

#include "Harness.h"

namespace asapi::test {
namespace {

namespace fs = std::filesystem;

struct ErrorCase {
    const char *name;
    std::vector<std::string> args;  // {in} a good input, {dir} a fresh folder
    const char *output;             // under {dir}
    const char *message;            // part of the line after "asapi: error: "
};

std::ostream &operator<<(std::ostream &os, const ErrorCase &c) {
    return os << c.name;
}

const ErrorCase kErrors[] = {
    {"unknown_switch",
     {"{in}", "-o", "{dir}/out.avi", "-ovc", "lavc", "-sws", "2"},
     "out.avi",
     "unknown option '-sws'"},
    {"unknown_video_codec",
     {"{in}", "-o", "{dir}/out.avi", "-ovc", "lavc", "-lavcopts", "vcodec=mpeg5"},
     "out.avi",
     "unknown video codec 'mpeg5'"},
    {"unknown_audio_codec",
     {"{in}", "-o", "{dir}/out.avi", "-oac", "lavc", "-lavcopts", "acodec=dts"},
     "out.avi",
     "unknown audio codec 'dts'"},
    {"negative_bitrate",
     {"{in}", "-o", "{dir}/out.avi", "-ovc", "lavc", "-lavcopts",
      "vcodec=mpeg4:vbitrate=-5:mbd=2:autoaspect"},
     "out.avi",
     "invalid video bitrate '-5'"},
    {"not_a_number",
     {"{in}", "-o", "{dir}/out.avi", "-ofps", "30fps"},
     "out.avi",
     "invalid frame rate '30fps'"},
    {"no_input", {"-o", "{dir}/out.avi", "-ovc", "lavc"}, "out.avi", "no input file given"},
    {"no_output", {"{in}", "-ovc", "lavc"}, "out.avi", "no output file given"},
    {"missing_input",
     {"{dir}/missing.avi", "-o", "{dir}/out.avi"},
     "out.avi",
     "cannot open '{dir}/missing.avi'"},
    {"missing_second_input",
     {"{in}", "{dir}/missing.avi", "-o", "{dir}/out.avi"},
     "out.avi",
     "cannot open '{dir}/missing.avi'"},
    {"not_a_video",
     {"{media}/not_a_video.avi", "-o", "{dir}/out.avi"},
     "out.avi",
     "not_a_video.avi"},
    {"container_refuses_codec",
     {"{in}", "-o", "{dir}/out.flv", "-ovc", "lavc", "-lavcopts", "vcodec=flv", "-oac", "lavc",
      "-lavcopts", "acodec=ac3"},
     "out.flv",
     "a .flv file cannot hold ac3 audio"},
    {"mp4_refuses_pcm",
     {"{in}", "-o", "{dir}/out.mp4", "-oac", "pcm"},
     "out.mp4",
     "a .mp4 file cannot hold PCM audio"},
    {"codec_refuses_rate",
     {"{in}", "-o", "{dir}/out.avi", "-oac", "lavc", "-lavcopts", "acodec=ac3", "-srate", "22050"},
     "out.avi",
     "the ac3 audio codec cannot use 22050 Hz"},
    {"unwritable_output",
     {"{in}", "-o", "{dir}/no/such/folder/out.avi"},
     "no/such/folder/out.avi",
     "cannot create '{dir}/no/such/folder/out.avi'"},
};

std::string expand(std::string text, const fs::path &dir) {
    const std::pair<std::string, std::string> names[] = {
        {"{in}", media("h264_aac.mp4").string()},
        {"{media}", mediaDir().string()},
        {"{dir}", dir.string()},
    };
    for (const auto &[name, value] : names)
        for (auto at = text.find(name); at != std::string::npos; at = text.find(name))
            text.replace(at, name.size(), value);
    return text;
}

class Failing : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(Failing, EndsWithStatus1OneLineAndNoOutputFile) {
    const ErrorCase &c = GetParam();
    TempDir dir;
    std::vector<std::string> args;
    for (const auto &arg : c.args)
        args.push_back(expand(arg, dir.path()));
    RunResult run = runEncoder(args);
    EXPECT_EQ(run.exitCode, 1);
    const std::string prefix = "asapi: error: ";
    EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
    EXPECT_NE(run.err.find(expand(c.message, dir.path())), std::string::npos) << run.err;
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "more than one line: " << run.err;
    EXPECT_FALSE(fs::exists(dir / c.output));
}

INSTANTIATE_TEST_SUITE_P(Encoder, Failing, ::testing::ValuesIn(kErrors), [](const auto &info) {
    return std::string(info.param.name);
});

TEST(Encoder, RefusesToWriteOverItsOwnInput) {
    TempDir dir;
    const fs::path input = dir / "clip.mp4";
    fs::copy_file(media("h264_aac.mp4"), input);
    const auto size = fs::file_size(input);
    RunResult run = runEncoder({input.string(), "-o", input.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("is also an input"), std::string::npos) << run.err;
    EXPECT_EQ(fs::file_size(input), size);
    EXPECT_EQ(probe(input).video->frames, 75);
}

TEST(Encoder, AnOptionErrorLeavesAnExistingFileAlone) {
    TempDir dir;
    const fs::path output = dir / "out.avi";
    std::ofstream(output) << "keep me";
    RunResult run = runEncoder({media("h264_aac.mp4").string(), "-o", output.string(), "-ovc",
                                "lavc", "-lavcopts", "vcodec=mpeg5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(fs::file_size(output), 7u);
}

// A termination signal in the middle of the work stops the run and removes what it wrote.
TEST(Encoder, TerminationRemovesThePartialOutput) {
    TempDir dir;
    const fs::path output = dir / "out.avi";
    const std::string input = media("long_25fps.mp4").string();
    int pid = startProgram(encoderPath(),
                           {input, input, input, "-o", output.string(), "-ovc", "lavc", "-lavcopts",
                            "vcodec=mpeg4:vbitrate=2000", "-vf", "scale=1280:720"},
                           (dir / "stdout").string(), (dir / "stderr").string());
    ASSERT_GT(pid, 0);
    for (int i = 0; i < 200 && !fs::exists(output); ++i)
        usleep(20000);
    ASSERT_TRUE(fs::exists(output)) << "the run never started writing";
    usleep(200000);
    kill(pid, SIGTERM);
    EXPECT_EQ(waitProgram(pid), 1);
    EXPECT_FALSE(fs::exists(output));
}

// A damaged stretch inside an input is skipped, as players do; the run completes.
TEST(Encoder, DamagedBytesInsideAnInputAreSkipped) {
    TempDir dir;
    const fs::path damaged = dir / "damaged.mpg";
    fs::copy_file(media("mpeg2_mp2.mpg"), damaged);
    {
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        const auto size = fs::file_size(damaged);
        file.seekp(static_cast<std::streamoff>(size / 2));
        std::string garbage(4000, '\x5a');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    const fs::path output = dir / "0.avi";
    RunResult run = runEncoder({damaged.string(), "-o", output.string(), "-oac", "mp3lame", "-ovc",
                                "lavc", "-ofps", "30", "-vf", "scale=160:120"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const MediaFacts out = probe(output);
    ASSERT_TRUE(out.video);
    EXPECT_NEAR(out.video->frames, 60, 1);
    EXPECT_EQ(decodeErrors(output), "");
}

}  // namespace
}  // namespace asapi::test
