// The output file: two encoders and the muxer, fed with pictures already at the output size and
// with sound already at the output rate and layout.
#pragma once

#include <string>

#include "encoder/Av.h"
#include "encoder/Expected.h"
#include "encoder/Formats.h"
#include "encoder/Options.h"

namespace asapi {

struct PictureFormat {
    int width = 0;
    int height = 0;
    AVRational frameRate{30, 1};
    AVRational sampleAspect{1, 1};
};

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;
    ~OutputFile();

    // Sets up both encoders; nothing touches the disk yet.
    Status configure(const EncodeOptions &options,
                     const OutputFormats &formats,
                     const PictureFormat &picture);
    // Creates the file and writes the header.
    Status create(const std::string &path);
    Status writeVideo(AVFrame *frame);  // null flushes the encoder
    Status writeAudio(AVFrame *frame);  // null flushes the encoder
    Status finish();                    // flushes both encoders, writes the trailer, closes
    // Closes and deletes a file that could not be finished.
    void discard();

    AVCodecContext *videoEncoder() const { return video_.get(); }
    AVCodecContext *audioEncoder() const { return audio_.get(); }
    // Samples per audio frame that the encoder takes; any count when it takes any.
    int audioFrameSize() const;
    bool audioTakesShortLastFrame() const;
    int64_t bytesWritten() const;
    // Samples at the very start that the sound gives up to the encoder's priming.
    int audioPriming() const { return audioPriming_; }

private:
    Status encode(AVCodecContext *encoder, AVStream *stream, AVFrame *frame);
    void close();

    std::string path_;
    AVFormatContext *muxer_ = nullptr;
    AVStream *videoStream_ = nullptr;
    AVStream *audioStream_ = nullptr;
    AVCodecContextUPtr video_;
    AVCodecContextUPtr audio_;
    AVPacketUPtr packet_ = makeAVPacket();
    bool created_ = false;
    int audioPriming_ = 0;
};

}  // namespace asapi
