// One input file: what a first look tells about it, and its demuxer and decoders while it is
// being read.
#pragma once

#include <string>

#include "encoder/Av.h"
#include "encoder/Expected.h"

namespace asapi {

struct InputInfo {
    std::string path;
    double durationSeconds = 0;  // 0 when the container does not say
    // Where the streams end, as far as the container tells; -1 without the stream.
    double videoSeconds = -1;
    double audioSeconds = -1;
    double audioFrameSeconds = 0;
    bool hasVideo = false;
    bool hasAudio = false;
    int width = 0;
    int height = 0;
    AVRational sampleAspect{0, 1};
    AVRational frameRate{0, 1};
};

class InputFile {
public:
    static Expected<InputFile> open(const std::string &path);

    const InputInfo &info() const { return info_; }
    AVFormatContext *format() const { return format_.get(); }
    int videoIndex() const { return videoIndex_; }
    int audioIndex() const { return audioIndex_; }
    AVCodecContext *videoDecoder() const { return videoDecoder_.get(); }
    AVCodecContext *audioDecoder() const { return audioDecoder_.get(); }
    // Start of the file's timeline in seconds; every stream's times are taken from here.
    double startSeconds() const;

    // Opens the decoders of the streams that will be read.
    Status openDecoders();

private:
    InputInfo info_;
    AVInputFormatContextUPtr format_;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    AVCodecContextUPtr videoDecoder_;
    AVCodecContextUPtr audioDecoder_;
};

}  // namespace asapi
