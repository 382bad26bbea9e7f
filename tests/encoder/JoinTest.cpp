// The join of intermediates into the output file, run with the command line that the joiner
// writes: the inputs, -o, the output, then the option builder's text with its blanks.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <sstream>

#include "CommandLines.h"
#include "Harness.h"

namespace asapi::test {
namespace {

std::vector<std::string> joinArgs(const std::vector<std::string> &inputs,
                                  const std::string &output,
                                  const std::string &options) {
    std::vector<std::string> args = inputs;
    args.push_back("-o");
    args.push_back(output);
    // " " after the output target, then the options with their own leading blank.
    for (const std::string &arg : splitOnBlanks(" " + options))
        args.push_back(arg);
    return args;
}

// Three intermediates made once with the conversion command line: 3 s, 2.5 s and 2 s, the last
// without sound of its own.
class Join : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        const char *sources[] = {"h264_aac.mp4", "mpeg4_pcm.mov", "video_only.avi"};
        for (int i = 0; i < 3; ++i) {
            std::string out = (*dir_ / (std::to_string(i) + ".avi")).string();
            RunResult run = runEncoder({media(sources[i]).string(), "-o", out, "-oac", "mp3lame",
                                        "-ovc", "lavc", "-ofps", "30", "-vf", "scale=320:240"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            intermediates_.push_back(out);
            frames_ += probe(out).video->frames;
        }
    }
    static void TearDownTestSuite() {
        intermediates_.clear();
        dir_.reset();
    }

    static std::unique_ptr<TempDir> dir_;
    static std::vector<std::string> intermediates_;
    static long frames_;
};

std::unique_ptr<TempDir> Join::dir_;
std::vector<std::string> Join::intermediates_;
long Join::frames_ = 0;

TEST_F(Join, HasTheSumOfTheIntermediatesFrames) {
    ASSERT_EQ(frames_, 90 + 75 + 60);
    TempDir out;
    RunResult run = runEncoder(joinArgs(
        intermediates_, (out / "movie.avi").string(),
        " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect -oac mp3lame -lameopts "
        "vbr=2:q=6 -channels 2 -vf scale=320:240 -srate 44100"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(out / "movie.avi").video->frames, frames_);
}

struct JoinCase {
    const char *name;
    const char *extension;
    const char *lavcopts;  // video options
    const char *audio;     // pieces 8 to 14 of the builder's text
    const char *channels;
    const char *rate;
    const char *format;  // as ffprobe names them
    const char *videoCodec;
    const char *audioCodec;
    const char *displayAspect;  // null where the container keeps none
};

std::ostream &operator<<(std::ostream &os, const JoinCase &c) {
    return os << c.name;
}

const JoinCase kJoins[] = {
    {"avi_mp3_vbr", ".avi", "vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect",
     "-oac mp3lame -lameopts vbr=2:q=6", "2", "44100", "avi", "mpeg4", "mp3", "4:3"},
    {"mpg_mp2_capped", ".mpg", "vcodec=mpeg1video:vbitrate=1200:mbd=2:autoaspect",
     "-oac lavc -lavcopts acodec=mp2:abitrate=128", "2", "44100", "mpeg", "mpeg1video", "mp2",
     "4:3"},
    // A DVD stream at the DVD's own rate. (At 192 and 160 kbit/s FFmpeg 5.1's program stream
    // reader returns one AC-3 packet twice, in ffmpeg's own DVD files as well.)
    {"vob_ac3", ".vob", "vcodec=mpeg2video:vbitrate=1500:mbd=2:aspect=16:9",
     "-oac lavc -lavcopts acodec=ac3:abitrate=224", "2", "48000", "mpeg", "mpeg2video", "ac3",
     "16:9"},
    {"mp4_mp3_cbr", ".mp4", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=16:9",
     "-oac mp3lame -lameopts cbr:br=128", "2", "44100", "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "mp3",
     "16:9"},
    {"mov_pcm", ".mov", "vcodec=h264:vbitrate=800:mbd=2:autoaspect", "-oac pcm  ", "2", "44100",
     "mov,mp4,m4a,3gp,3g2,mj2", "h264", "pcm_s16le", "4:3"},
    {"wmv_wma", ".wmv", "vcodec=wmv2:vbitrate=800:mbd=2:autoaspect",
     "-oac lavc -lavcopts acodec=wmav2:abitrate=128", "2", "44100", "asf", "wmv2", "wmav2", "4:3"},
    {"asf_mp3_abr", ".asf", "vcodec=msmpeg4:vbitrate=800:mbd=2:autoaspect",
     "-oac mp3lame -lameopts abr:br=128", "2", "44100", "asf", "msmpeg4v3", "mp3", "4:3"},
    {"flv_mp3_vbr", ".flv", "vcodec=flv:vbitrate=800:mbd=2:autoaspect",
     "-oac mp3lame -lameopts vbr=2:q=4", "1", "22050", "flv", "flv1", "mp3", nullptr},
    {"avi_ac3_default_bitrates", ".avi", "vcodec=wmv1:vbitrate=:mbd=2:autoaspect",
     "-oac lavc -lavcopts acodec=ac3:abitrate=", "2", "48000", "avi", "wmv1", "ac3", "4:3"},
    {"avi_pcm_mono_mjpeg", ".avi", "vcodec=mjpeg:vbitrate=4000:mbd=2:autoaspect", "-oac pcm  ", "1",
     "44100", "avi", "mjpeg", "pcm_s16le", "4:3"},
    {"mp4_h264_aac", ".mp4", "vcodec=h264:vbitrate=:mbd=2:autoaspect",
     "-oac lavc -lavcopts acodec=aac:abitrate=96", "2", "44100", "mov,mp4,m4a,3gp,3g2,mj2", "h264",
     "aac", "4:3"},
    {"other_extension_is_avi", ".xyz", "vcodec=msmpeg4v2:vbitrate=800:mbd=2:autoaspect",
     "-oac lavc -lavcopts acodec=mp3:abitrate=128", "2", "44100", "avi", "msmpeg4v2", "mp3", "4:3"},
};

class JoinTo : public Join, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(JoinTo, WritesTheContainerCodecsSizeAndRateAsked) {
    const JoinCase &c = GetParam();
    TempDir out;
    const auto output = out / (std::string("movie") + c.extension);
    std::string options = std::string(" -ovc lavc -lavcopts ") + c.lavcopts + " " + c.audio +
                          " -channels " + c.channels + " -vf scale=320:240 -srate " + c.rate;
    RunResult run = runEncoder(joinArgs(intermediates_, output.string(), options));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const MediaFacts facts = probe(output);
    EXPECT_EQ(facts.formatName, c.format);
    ASSERT_TRUE(facts.video);
    ASSERT_TRUE(facts.audio);
    EXPECT_EQ(facts.video->codec, c.videoCodec);
    EXPECT_EQ(facts.video->width, 320);
    EXPECT_EQ(facts.video->height, 240);
    EXPECT_EQ(facts.video->frameRate, "30/1");
    EXPECT_EQ(facts.video->frames, frames_);
    if (c.displayAspect) {
        EXPECT_EQ(facts.video->displayAspect, c.displayAspect);
    }
    EXPECT_EQ(facts.audio->codec, c.audioCodec);
    EXPECT_EQ(facts.audio->sampleRate, std::stoi(c.rate));
    EXPECT_EQ(facts.audio->channels, std::stoi(c.channels));
    EXPECT_NEAR(facts.duration, 3.0 + 2.5 + 2.0, 0.1 * 3);
    EXPECT_EQ(decodeErrors(output), "");
}

INSTANTIATE_TEST_SUITE_P(Encoder, JoinTo, ::testing::ValuesIn(kJoins), [](const auto &info) {
    return std::string(info.param.name);
});

}  // namespace
}  // namespace asapi::test
