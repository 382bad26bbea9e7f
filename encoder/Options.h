// The MEncoder command-line subset that the joiner writes, parsed into plain settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "encoder/Expected.h"

namespace asapi {

enum class AudioEncoder { Mp3Lame, Lavc, Pcm };
enum class LameMode { Vbr, Cbr, Abr };

struct EncodeOptions {
    std::vector<std::string> inputs;
    std::string output;

    // Without -lavcopts the run makes an intermediate that is encoded again later, so it is
    // tuned for quality and speed instead of size.
    bool intermediate = true;
    std::string videoCodec = "mpeg4";
    std::optional<int64_t> videoBitrate;  // bit/s; none leaves the codec's default
    std::optional<int> macroblockDecision;
    std::optional<double> displayAspect;  // none: square pixels

    AudioEncoder audioEncoder = AudioEncoder::Mp3Lame;
    std::string audioCodec = "mp2";       // for -oac lavc
    std::optional<int64_t> audioBitrate;  // bit/s; none leaves the codec's default
    LameMode lameMode = LameMode::Vbr;
    int lameQuality = 2;        // 0 best .. 9 smallest
    int lameBitrateKbit = 128;  // cbr and abr

    std::optional<double> framesPerSecond;  // none: the first input's rate
    std::optional<int> width;               // none with height: the source size
    std::optional<int> height;
    int channels = 2;
    int sampleRate = 44100;
};

Expected<EncodeOptions> parseCommandLine(const std::vector<std::string> &args);

// Building blocks, exposed for their own tests.
Status applyLavcOpts(const std::string &text, EncodeOptions &options);
Status applyLameOpts(const std::string &text, EncodeOptions &options);
Status applyVideoFilter(const std::string &text, EncodeOptions &options);
Expected<int64_t> parseInteger(const std::string &text, const std::string &what);
Expected<double> parseDecimal(const std::string &text, const std::string &what);

bool isKnownVideoCodec(const std::string &name);
bool isKnownAudioCodec(const std::string &name);

}  // namespace asapi
