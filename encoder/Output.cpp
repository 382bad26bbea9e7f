#include "encoder/Output.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace asapi {

namespace {

// MEncoder's own default, used where libavcodec's 200 kbit/s would give a poor picture.
constexpr int64_t kDefaultVideoBitrate = 800000;

Status openEncoder(AVCodecContext *context, const AVCodec *codec, const char *what) {
    int err = avcodec_open2(context, codec, nullptr);
    if (err < 0)
        return Failure{std::string("cannot start the ") + codec->name + " " + what +
                       " encoder: " + err2str(err)};
    return {};
}

AVRational supportedFrameRate(const AVCodec *codec, AVRational wanted) {
    if (!codec->supported_framerates)
        return wanted;
    // MPEG-1 lists its eight standard rates first; the rest would need a non-standard stream.
    const size_t usable = codec->id == AV_CODEC_ID_MPEG1VIDEO ? 8 : SIZE_MAX;
    std::vector<AVRational> rates;
    for (const AVRational *r = codec->supported_framerates; r->num && rates.size() < usable; ++r)
        rates.push_back(*r);
    for (const AVRational &r : rates)
        if (av_cmp_q(r, wanted) == 0)
            return r;
    rates.push_back(AVRational{0, 0});
    return rates[av_find_nearest_q_idx(wanted, rates.data())];
}

}  // namespace

OutputFile::~OutputFile() {
    close();
}

void OutputFile::close() {
    if (!muxer_)
        return;
    if (muxer_->pb)
        avio_closep(&muxer_->pb);
    avformat_free_context(muxer_);
    muxer_ = nullptr;
}

Status OutputFile::configure(const EncodeOptions &options,
                             const OutputFormats &formats,
                             const PictureFormat &picture) {
    int err = avformat_alloc_output_context2(&muxer_, formats.container, nullptr, nullptr);
    if (err < 0)
        return Failure{"cannot set up the output: " + err2str(err)};
    const bool globalHeader = formats.container->flags & AVFMT_GLOBALHEADER;

    // Video.
    const AVCodec *vcodec = formats.videoEncoder;
    video_.reset(avcodec_alloc_context3(vcodec));
    if (!video_)
        return Failure{"out of memory"};
    AVCodecContext *v = video_.get();
    v->width = picture.width;
    v->height = picture.height;
    if (vcodec->id == AV_CODEC_ID_H264) {
        // x264 takes 4:2:0 pictures of even sizes only.
        v->width += v->width % 2;
        v->height += v->height % 2;
    }
    v->pix_fmt = vcodec->pix_fmts ? vcodec->pix_fmts[0] : AV_PIX_FMT_YUV420P;
    AVRational rate = supportedFrameRate(vcodec, picture.frameRate);
    v->framerate = rate;
    v->time_base = av_inv_q(rate);
    v->sample_aspect_ratio = picture.sampleAspect;
    v->thread_count = 0;
    if (options.intermediate) {
        // Encoded once more by the join: a fine constant quantiser keeps the loss small, and
        // without B-frames every picture is coded in order.
        v->flags |= AV_CODEC_FLAG_QSCALE;
        v->global_quality = 2 * FF_QP2LAMBDA;
        v->max_b_frames = 0;
    } else if (options.videoBitrate) {
        v->bit_rate = *options.videoBitrate;
    } else if (vcodec->id != AV_CODEC_ID_H264) {
        v->bit_rate = kDefaultVideoBitrate;
    }
    if (options.macroblockDecision)
        av_opt_set_int(v, "mbd", *options.macroblockDecision, AV_OPT_SEARCH_CHILDREN);
    if (globalHeader)
        v->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (auto status = openEncoder(v, vcodec, "video"); !status)
        return status;

    // Audio.
    const AVCodec *acodec = formats.audioEncoder;
    audio_.reset(avcodec_alloc_context3(acodec));
    if (!audio_)
        return Failure{"out of memory"};
    AVCodecContext *a = audio_.get();
    a->sample_fmt = acodec->sample_fmts ? acodec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    a->sample_rate = options.sampleRate;
    if (acodec->supported_samplerates) {
        bool found = false;
        for (const int *r = acodec->supported_samplerates; *r; ++r)
            found = found || *r == options.sampleRate;
        if (!found)
            return Failure{std::string("the ") + acodec->name + " audio codec cannot use " +
                           std::to_string(options.sampleRate) + " Hz"};
    }
    av_channel_layout_default(&a->ch_layout, options.channels);
    if (acodec->ch_layouts) {
        bool found = false;
        for (const AVChannelLayout *l = acodec->ch_layouts; l->nb_channels && !found; ++l) {
            if (l->nb_channels == options.channels) {
                av_channel_layout_uninit(&a->ch_layout);
                av_channel_layout_copy(&a->ch_layout, l);
                found = true;
            }
        }
        if (!found)
            return Failure{std::string("the ") + acodec->name + " audio codec cannot carry " +
                           std::to_string(options.channels) + " channels"};
    }
    a->time_base = AVRational{1, options.sampleRate};
    if (acodec->id == AV_CODEC_ID_MP3 && options.audioEncoder == AudioEncoder::Mp3Lame) {
        switch (options.lameMode) {
            case LameMode::Vbr:
                a->flags |= AV_CODEC_FLAG_QSCALE;
                a->global_quality = options.lameQuality * FF_QP2LAMBDA;
                break;
            case LameMode::Abr:
                av_opt_set_int(a->priv_data, "abr", 1, 0);
                [[fallthrough]];
            case LameMode::Cbr:
                a->bit_rate = options.lameBitrateKbit * 1000LL;
                break;
        }
    } else if (options.audioEncoder == AudioEncoder::Lavc && options.audioBitrate) {
        a->bit_rate = *options.audioBitrate;
    }
    if (globalHeader)
        a->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (auto status = openEncoder(a, acodec, "audio"); !status)
        return status;

    videoStream_ = avformat_new_stream(muxer_, nullptr);
    audioStream_ = avformat_new_stream(muxer_, nullptr);
    if (!videoStream_ || !audioStream_)
        return Failure{"out of memory"};
    avcodec_parameters_from_context(videoStream_->codecpar, v);
    videoStream_->time_base = v->time_base;
    videoStream_->avg_frame_rate = rate;
    videoStream_->sample_aspect_ratio = v->sample_aspect_ratio;
    avcodec_parameters_from_context(audioStream_->codecpar, a);
    audioStream_->time_base = a->time_base;
    // An AVI index counts video frames and cannot express the audio encoder's priming delay.
    // Shifting everything to make the first audio packet start at zero would move the pictures by
    // a fraction of a frame, which the muxer rounds into an empty chunk. Instead the sound's first
    // samples give way to the priming, so that it starts at zero and stays in step.
    if (std::string(formats.container->name) == "avi")
        audioPriming_ = a->initial_padding;
    return {};
}

Status OutputFile::create(const std::string &path) {
    path_ = path;
    int err = avio_open(&muxer_->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (err < 0)
        return Failure{"cannot create '" + path + "': " + err2str(err)};
    created_ = true;
    err = avformat_write_header(muxer_, nullptr);
    if (err < 0)
        return Failure{"cannot write '" + path + "': " + err2str(err)};
    return {};
}

Status OutputFile::encode(AVCodecContext *encoder, AVStream *stream, AVFrame *frame) {
    const char *kind = encoder == video_.get() ? "video" : "audio";
    int err = avcodec_send_frame(encoder, frame);
    if (err < 0 && !(err == AVERROR_EOF && !frame))
        return Failure{std::string("encoding the ") + kind + " failed: " + err2str(err)};
    while (true) {
        err = avcodec_receive_packet(encoder, packet_.get());
        if (err == AVERROR(EAGAIN) || err == AVERROR_EOF)
            return {};
        if (err < 0)
            return Failure{std::string("encoding the ") + kind + " failed: " + err2str(err)};
        packet_->stream_index = stream->index;
        av_packet_rescale_ts(packet_.get(), encoder->time_base, stream->time_base);
        err = av_interleaved_write_frame(muxer_, packet_.get());
        if (err < 0)
            return Failure{"cannot write '" + path_ + "': " + err2str(err)};
    }
}

Status OutputFile::writeVideo(AVFrame *frame) {
    return encode(video_.get(), videoStream_, frame);
}

Status OutputFile::writeAudio(AVFrame *frame) {
    return encode(audio_.get(), audioStream_, frame);
}

Status OutputFile::finish() {
    if (auto status = writeVideo(nullptr); !status)
        return status;
    if (auto status = writeAudio(nullptr); !status)
        return status;
    int err = av_write_trailer(muxer_);
    if (err < 0)
        return Failure{"cannot write '" + path_ + "': " + err2str(err)};
    err = avio_closep(&muxer_->pb);
    if (err < 0)
        return Failure{"cannot write '" + path_ + "': " + err2str(err)};
    return {};
}

void OutputFile::discard() {
    close();
    if (created_) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        created_ = false;
    }
}

int OutputFile::audioFrameSize() const {
    if (audio_->frame_size <= 0 || (audio_->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE))
        return 1152;
    return audio_->frame_size;
}

bool OutputFile::audioTakesShortLastFrame() const {
    return audio_->frame_size <= 0 ||
           (audio_->codec->capabilities &
            (AV_CODEC_CAP_VARIABLE_FRAME_SIZE | AV_CODEC_CAP_SMALL_LAST_FRAME));
}

int64_t OutputFile::bytesWritten() const {
    return muxer_ && muxer_->pb ? avio_tell(muxer_->pb) : 0;
}

}  // namespace asapi
