// The only place that includes the libav headers; everything else in the encoder owns libav
// objects through the aliases below, so that no error path can leak one.
#pragma once

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace asapi {

// Deleter for the libav free functions that take the address of the pointer and null it.
template <typename T, void (*F)(T **)>
struct AvPtrPtrDeleter {
    void operator()(T *p) const { F(&p); }
};

// Deleter for the free functions that take the pointer itself.
template <typename T, void (*F)(T *)>
struct AvPtrDeleter {
    void operator()(T *p) const { F(p); }
};

using AVFrameUPtr = std::unique_ptr<AVFrame, AvPtrPtrDeleter<AVFrame, av_frame_free>>;
using AVPacketUPtr = std::unique_ptr<AVPacket, AvPtrPtrDeleter<AVPacket, av_packet_free>>;
using AVCodecContextUPtr =
    std::unique_ptr<AVCodecContext, AvPtrPtrDeleter<AVCodecContext, avcodec_free_context>>;
using AVInputFormatContextUPtr =
    std::unique_ptr<AVFormatContext, AvPtrPtrDeleter<AVFormatContext, avformat_close_input>>;
using SwrContextUPtr = std::unique_ptr<SwrContext, AvPtrPtrDeleter<SwrContext, swr_free>>;
using SwsContextUPtr = std::unique_ptr<SwsContext, AvPtrDeleter<SwsContext, sws_freeContext>>;
using AVAudioFifoUPtr = std::unique_ptr<AVAudioFifo, AvPtrDeleter<AVAudioFifo, av_audio_fifo_free>>;

inline AVFrameUPtr makeAVFrame() {
    return AVFrameUPtr(av_frame_alloc());
}

inline AVPacketUPtr makeAVPacket() {
    return AVPacketUPtr(av_packet_alloc());
}

inline std::string err2str(int err) {
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_make_error_string(buf, sizeof buf, err);
    return buf;
}

}  // namespace asapi
