#include "encoder/Options.h"

#include "CommandLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace asapi {
namespace {

struct GoodLine {
    const char *name;
    const char *line;
    EncodeOptions expected;
};

std::ostream &operator<<(std::ostream &os, const GoodLine &p) {
    return os << p.name;
}

EncodeOptions base(std::vector<std::string> inputs, std::string output) {
    EncodeOptions o;
    o.inputs = std::move(inputs);
    o.output = std::move(output);
    return o;
}

EncodeOptions conversion() {
    EncodeOptions o = base({"/in/clip one.mp4"}, "/tmp/t/0.avi");
    o.framesPerSecond = 30;
    o.width = 640;
    o.height = 480;
    return o;
}

EncodeOptions join(AudioEncoder encoder) {
    EncodeOptions o = base({"/tmp/t/0.avi", "/tmp/t/1.avi", "/tmp/t/2.avi"}, "/out/OUT.avi");
    o.intermediate = false;
    o.videoCodec = "mpeg4";
    o.videoBitrate = 800000;
    o.macroblockDecision = 2;
    o.audioEncoder = encoder;
    o.width = 640;
    o.height = 480;
    return o;
}

const GoodLine kGoodLines[] = {
    {"conversion",
     "/in/clip\x01one.mp4 -o /tmp/t/0.avi -oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480",
     conversion()},
    {"mp3 vbr join",
     "/tmp/t/0.avi /tmp/t/1.avi /tmp/t/2.avi -o /out/OUT.avi  -ovc lavc -lavcopts "
     "vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect -oac mp3lame -lameopts vbr=2:q=6 -channels 2 "
     "-vf scale=640:480 -srate 44100",
     [] {
         auto o = join(AudioEncoder::Mp3Lame);
         o.lameQuality = 6;
         return o;
     }()},
    {"mp3 mode word, aspect with colon, empty srate",
     "/tmp/t/0.avi /tmp/t/1.avi /tmp/t/2.avi -o /out/OUT.avi  -ovc lavc -lavcopts "
     "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=16:9 -oac mp3lame -lameopts cbr:br=224 -channels 2 "
     "-vf scale=640:480 -srate ",
     [] {
         auto o = join(AudioEncoder::Mp3Lame);
         o.displayAspect = 16.0 / 9.0;
         o.lameMode = LameMode::Cbr;
         o.lameBitrateKbit = 224;
         return o;
     }()},
    {"pcm with empty arguments, srate last without value",
     "/tmp/t/0.avi /tmp/t/1.avi /tmp/t/2.avi -o /out/OUT.avi  -ovc lavc -lavcopts "
     "vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect -oac pcm   -channels 1 -vf scale=640:480 -srate",
     [] {
         auto o = join(AudioEncoder::Pcm);
         o.channels = 1;
         return o;
     }()},
    {"two -lavcopts merge, later wins, mp2 at 128",
     "/tmp/t/0.avi /tmp/t/1.avi /tmp/t/2.avi -o /out/OUT.avi  -ovc lavc -lavcopts "
     "vcodec=wmv1:vbitrate=800:mbd=2:aspect=1.5 -oac lavc -lavcopts "
     "acodec=mp2:abitrate=128:vcodec=mpeg4 -channels 2 -vf scale=640:480 -srate 48000",
     [] {
         auto o = join(AudioEncoder::Lavc);
         o.displayAspect = 1.5;
         o.audioCodec = "mp2";
         o.audioBitrate = 128000;
         o.sampleRate = 48000;
         return o;
     }()},
    {"empty bitrates leave the codec default, bitrate above 16000 is bit/s",
     "a.avi -o b.mpg -ovc lavc -lavcopts vcodec=mpeg2video:vbitrate=:mbd=2:autoaspect "
     "-lavcopts vbitrate=20000 -oac lavc -lavcopts acodec=ac3:abitrate= -vf scale=720:",
     [] {
         auto o = base({"a.avi"}, "b.mpg");
         o.intermediate = false;
         o.videoCodec = "mpeg2video";
         o.videoBitrate = 20000;
         o.macroblockDecision = 2;
         o.audioEncoder = AudioEncoder::Lavc;
         o.audioCodec = "ac3";
         o.width = 720;
         return o;
     }()},
    {"empty scale keeps the source size, decimal frame rate",
     "a.avi -o b.avi -vf scale=: -ofps 29.97",
     [] {
         auto o = base({"a.avi"}, "b.avi");
         o.framesPerSecond = 29.97;
         return o;
     }()},
    {"one number scales the other side", "a.avi -o b.avi -vf scale=:240",
     [] {
         auto o = base({"a.avi"}, "b.avi");
         o.height = 240;
         return o;
     }()},
    {"lame mode word in capitals, as a profile may hold it",
     "a.avi -o b.avi -oac mp3lame -lameopts VBR:br=192",
     [] {
         auto o = base({"a.avi"}, "b.avi");
         o.lameMode = LameMode::Abr;
         o.lameBitrateKbit = 192;
         return o;
     }()},
};

class GoodCommandLine : public ::testing::TestWithParam<GoodLine> {};

TEST_P(GoodCommandLine, ParsesToTheExpectedSettings) {
    const GoodLine &p = GetParam();
    auto args = test::splitOnBlanks(p.line);
    for (auto &arg : args)  // a blank inside a path, kept inside its argument
        std::replace(arg.begin(), arg.end(), '\x01', ' ');
    auto parsed = parseCommandLine(args);
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const EncodeOptions &got = parsed.value();
    const EncodeOptions &want = p.expected;
    EXPECT_EQ(got.inputs, want.inputs);
    EXPECT_EQ(got.output, want.output);
    EXPECT_EQ(got.intermediate, want.intermediate);
    EXPECT_EQ(got.videoCodec, want.videoCodec);
    EXPECT_EQ(got.videoBitrate, want.videoBitrate);
    EXPECT_EQ(got.macroblockDecision, want.macroblockDecision);
    EXPECT_EQ(got.displayAspect.has_value(), want.displayAspect.has_value());
    if (got.displayAspect && want.displayAspect) {
        EXPECT_DOUBLE_EQ(*got.displayAspect, *want.displayAspect);
    }
    EXPECT_EQ(got.audioEncoder, want.audioEncoder);
    EXPECT_EQ(got.audioCodec, want.audioCodec);
    EXPECT_EQ(got.audioBitrate, want.audioBitrate);
    EXPECT_EQ(got.lameMode, want.lameMode);
    EXPECT_EQ(got.lameQuality, want.lameQuality);
    EXPECT_EQ(got.lameBitrateKbit, want.lameBitrateKbit);
    EXPECT_EQ(got.framesPerSecond, want.framesPerSecond);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.channels, want.channels);
    EXPECT_EQ(got.sampleRate, want.sampleRate);
}

INSTANTIATE_TEST_SUITE_P(EncoderOptions, GoodCommandLine, ::testing::ValuesIn(kGoodLines));

struct BadLine {
    const char *line;
    const char *message;
};

std::ostream &operator<<(std::ostream &os, const BadLine &p) {
    return os << p.line;
}

const BadLine kBadLines[] = {
    {"a.avi -o b.avi -lavcopts vcodec=mpeg5", "unknown video codec 'mpeg5'"},
    {"a.avi -o b.avi -oac lavc -lavcopts acodec=opus", "unknown audio codec 'opus'"},
    {"a.avi -o b.avi -lavcopts vcodec=mpeg4:vbitrate=-5",
     "invalid video bitrate '-5': it must be above 0"},
    {"a.avi -o b.avi -lavcopts vbitrate=8OO", "invalid video bitrate '8OO': not a whole number"},
    {"a.avi -o b.avi -lavcopts acodec=mp2:abitrate=-5", "invalid audio bitrate '-5' (kbit/s)"},
    {"a.avi -o b.avi -lavcopts vcodec=mpeg4:vqmin=2", "unknown -lavcopts suboption 'vqmin=2'"},
    {"a.avi -o b.avi -lavcopts aspect=16:x", "unknown -lavcopts suboption 'x'"},
    {"a.avi -o b.avi -lameopts preset=standard", "unknown -lameopts suboption 'preset=standard'"},
    {"a.avi -o b.avi -lameopts vbr=2:q=11", "invalid lame quality '11': it must be 0 to 9"},
    {"a.avi -o b.avi -lameopts fast", "unknown -lameopts suboption 'fast'"},
    {"a.avi -o b.avi -ovc x264", "unknown video encoder 'x264' (only lavc)"},
    {"a.avi -o b.avi -oac faac", "unknown audio encoder 'faac' (mp3lame, lavc or pcm)"},
    {"a.avi -o b.avi -ofps thirty", "invalid frame rate 'thirty': not a number"},
    {"a.avi -o b.avi -ofps 0", "invalid frame rate '0': it must be 1 to 240"},
    {"a.avi -o b.avi -channels 2.5", "invalid channel count '2.5': not a whole number"},
    {"a.avi -o b.avi -channels 0", "invalid channel count '0': it must be 1 to 8"},
    {"a.avi -o b.avi -srate 44.1k", "invalid sample rate '44.1k': not a whole number"},
    {"a.avi -o b.avi -vf scale=640x480", "invalid width '640x480': not a whole number"},
    {"a.avi -o b.avi -vf scale=640:-480", "invalid height '-480'"},
    {"a.avi -o b.avi -vf crop=10:10", "unknown video filter 'crop=10:10' (only scale=W:H)"},
    {"a.avi -o b.avi -vf scale=1:2:3", "invalid scale '1:2:3': give width:height"},
    {"a.avi -o b.avi -sws 2", "unknown option '-sws'"},
    {"a.avi -o", "option '-o' needs a value"},
    {"-o b.avi -ovc lavc", "no input file given"},
    {"a.avi b.avi -ovc lavc", "no output file given (-o FILE)"},
};

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, FailsWithItsOwnMessage) {
    auto parsed = parseCommandLine(test::splitOnBlanks(GetParam().line));
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(EncoderOptions, BadCommandLine, ::testing::ValuesIn(kBadLines));

TEST(EncoderOptions, DecimalsTakeADotOnlyAndNothingAround) {
    auto fps = parseDecimal("29.97", "frame rate");
    ASSERT_TRUE(fps.ok());
    EXPECT_DOUBLE_EQ(fps.value(), 29.97);
    EXPECT_FALSE(parseDecimal("29,97", "frame rate").ok());
    EXPECT_FALSE(parseDecimal("nan", "frame rate").ok());
    EXPECT_FALSE(parseDecimal(" 30", "frame rate").ok());
}

}  // namespace
}  // namespace asapi
