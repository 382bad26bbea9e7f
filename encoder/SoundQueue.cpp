#include "encoder/SoundQueue.h"

#include <algorithm>
#include <vector>

namespace asapi {

namespace {

constexpr int kSilenceChunk = 4096;

}  // namespace

Status SoundQueue::init() {
    const AVCodecContext *audio = output_.audioEncoder();
    fifo_.reset(av_audio_fifo_alloc(audio->sample_fmt, audio->ch_layout.nb_channels, 1));
    if (!fifo_)
        return Failure{"out of memory"};
    primingLeft_ = output_.audioPriming();
    return {};
}

int64_t SoundQueue::total() const {
    return encoded_ + av_audio_fifo_size(fifo_.get());
}

AVFrameUPtr SoundQueue::makeFrame(int samples) const {
    const AVCodecContext *audio = output_.audioEncoder();
    AVFrameUPtr frame = makeAVFrame();
    if (!frame)
        return frame;
    frame->format = audio->sample_fmt;
    av_channel_layout_copy(&frame->ch_layout, &audio->ch_layout);
    frame->sample_rate = audio->sample_rate;
    frame->nb_samples = samples;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        frame.reset();
    return frame;
}

Status SoundQueue::push(uint8_t *const *data, int samples, int skip) {
    if (skip >= samples)
        return {};
    const AVCodecContext *audio = output_.audioEncoder();
    const int channels = audio->ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(audio->sample_fmt);
    const int bytes = av_get_bytes_per_sample(audio->sample_fmt) * (planar ? 1 : channels);
    std::vector<uint8_t *> planes(planar ? channels : 1);
    for (size_t i = 0; i < planes.size(); ++i)
        planes[i] = data[i] + static_cast<ptrdiff_t>(skip) * bytes;
    if (av_audio_fifo_write(fifo_.get(), reinterpret_cast<void **>(planes.data()), samples - skip) <
        samples - skip)
        return Failure{"out of memory"};
    return {};
}

Status SoundQueue::pushSilence(int64_t samples, int64_t keepBack) {
    if (samples <= 0)
        return {};
    AVFrameUPtr silence = makeFrame(kSilenceChunk);
    if (!silence)
        return Failure{"out of memory"};
    const AVCodecContext *audio = output_.audioEncoder();
    av_samples_set_silence(silence->extended_data, 0, kSilenceChunk, audio->ch_layout.nb_channels,
                           audio->sample_fmt);
    while (samples > 0) {
        int chunk = static_cast<int>(std::min<int64_t>(samples, kSilenceChunk));
        if (auto status = push(silence->extended_data, chunk); !status)
            return status;
        samples -= chunk;
        // Long silence must not pile up in memory.
        if (auto status = encode(keepBack); !status)
            return status;
    }
    return {};
}

void SoundQueue::dropTail(int64_t samples) {
    const int size = av_audio_fifo_size(fifo_.get());
    const int keep = static_cast<int>(std::max<int64_t>(0, size - samples));
    if (keep == size)
        return;
    if (keep == 0) {
        av_audio_fifo_reset(fifo_.get());
        return;
    }
    AVFrameUPtr held = makeFrame(keep);
    if (!held)
        return;  // without memory for the head, a few samples too many are the lesser harm
    av_audio_fifo_read(fifo_.get(), reinterpret_cast<void **>(held->extended_data), keep);
    av_audio_fifo_reset(fifo_.get());
    av_audio_fifo_write(fifo_.get(), reinterpret_cast<void **>(held->extended_data), keep);
}

Status SoundQueue::send(int samples) {
    AVFrameUPtr frame = makeFrame(samples);
    if (!frame)
        return Failure{"out of memory"};
    av_audio_fifo_read(fifo_.get(), reinterpret_cast<void **>(frame->extended_data), samples);
    frame->pts = encoded_;
    encoded_ += samples;
    return output_.writeAudio(frame.get());
}

Status SoundQueue::encode(int64_t keepBack) {
    if (primingLeft_ > 0) {
        int drop = std::min(primingLeft_, av_audio_fifo_size(fifo_.get()));
        av_audio_fifo_drain(fifo_.get(), drop);
        encoded_ += drop;
        primingLeft_ -= drop;
    }
    const int frameSize = output_.audioFrameSize();
    while (av_audio_fifo_size(fifo_.get()) - keepBack >= frameSize)
        if (auto status = send(frameSize); !status)
            return status;
    return {};
}

Status SoundQueue::finish() {
    if (auto status = encode(0); !status)
        return status;
    const int frameSize = output_.audioFrameSize();
    const int left = av_audio_fifo_size(fifo_.get());
    if (left == 0)
        return {};
    if (output_.audioTakesShortLastFrame())
        return send(left);
    // Whole frames only: the end rounds to the nearer frame boundary.
    if (2 * left < frameSize) {
        av_audio_fifo_reset(fifo_.get());
        return {};
    }
    if (auto status = pushSilence(frameSize - left, frameSize); !status)
        return status;
    return encode(0);
}

}  // namespace asapi
