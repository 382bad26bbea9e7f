// Which container and which libav encoders a set of options comes to, checked before any byte of
// the output is written.
#pragma once

#include <string>

#include "encoder/Av.h"
#include "encoder/Expected.h"
#include "encoder/Options.h"

namespace asapi {

struct OutputFormats {
    const AVOutputFormat *container = nullptr;
    const AVCodec *videoEncoder = nullptr;
    const AVCodec *audioEncoder = nullptr;
};

// The muxer name that the output file's extension names; AVI for anything else.
std::string containerForPath(const std::string &path);

Expected<OutputFormats> chooseFormats(const EncodeOptions &options);

}  // namespace asapi
