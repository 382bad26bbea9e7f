#include "encoder/Input.h"

namespace asapi {

namespace {

Expected<AVCodecContextUPtr> openDecoder(const AVStream *stream, const std::string &path) {
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    const char *kind = stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
    if (!codec)
        return Failure{std::string("cannot decode the ") + kind + " of '" + path + "': no " +
                       avcodec_get_name(stream->codecpar->codec_id) + " decoder"};
    AVCodecContextUPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return Failure{"out of memory"};
    int err = avcodec_parameters_to_context(context.get(), stream->codecpar);
    if (err >= 0) {
        context->pkt_timebase = stream->time_base;
        context->thread_count = 0;  // one per core
        err = avcodec_open2(context.get(), codec, nullptr);
    }
    if (err < 0)
        return Failure{std::string("cannot decode the ") + kind + " of '" + path +
                       "': " + err2str(err)};
    return context;
}

}  // namespace

Expected<InputFile> InputFile::open(const std::string &path) {
    InputFile input;
    input.info_.path = path;
    AVFormatContext *raw = nullptr;
    int err = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (err < 0)
        return Failure{"cannot open '" + path + "': " + err2str(err)};
    input.format_.reset(raw);
    err = avformat_find_stream_info(raw, nullptr);
    if (err < 0)
        return Failure{"cannot read '" + path + "': " + err2str(err)};

    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        AVStream *stream = raw->streams[i];
        stream->discard = AVDISCARD_ALL;
        const AVCodecParameters *par = stream->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && input.videoIndex_ < 0 &&
            !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC) && par->width > 0 &&
            par->height > 0)
            input.videoIndex_ = static_cast<int>(i);
        else if (par->codec_type == AVMEDIA_TYPE_AUDIO && input.audioIndex_ < 0 &&
                 par->ch_layout.nb_channels > 0 && par->sample_rate > 0)
            input.audioIndex_ = static_cast<int>(i);
    }
    if (input.videoIndex_ < 0 && input.audioIndex_ < 0)
        return Failure{"'" + path + "' holds neither pictures nor sound"};

    InputInfo &info = input.info_;
    info.hasVideo = input.videoIndex_ >= 0;
    info.hasAudio = input.audioIndex_ >= 0;
    if (raw->duration > 0)
        info.durationSeconds = raw->duration / static_cast<double>(AV_TIME_BASE);
    auto streamEnd = [&](int index) {
        const AVStream *stream = raw->streams[index];
        if (stream->duration > 0 && stream->duration != AV_NOPTS_VALUE) {
            int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
            double fileStart = raw->start_time == AV_NOPTS_VALUE ? 0 : raw->start_time / 1e6;
            return (start + stream->duration) * av_q2d(stream->time_base) - fileStart;
        }
        return info.durationSeconds;
    };
    if (info.hasAudio) {
        const AVStream *stream = raw->streams[input.audioIndex_];
        info.audioSeconds = streamEnd(input.audioIndex_);
        if (stream->codecpar->frame_size > 0)
            info.audioFrameSeconds =
                stream->codecpar->frame_size / double(stream->codecpar->sample_rate);
    }
    if (info.hasVideo) {
        info.videoSeconds = streamEnd(input.videoIndex_);
        AVStream *stream = raw->streams[input.videoIndex_];
        info.width = stream->codecpar->width;
        info.height = stream->codecpar->height;
        info.sampleAspect = av_guess_sample_aspect_ratio(raw, stream, nullptr);
        info.frameRate = av_guess_frame_rate(raw, stream, nullptr);
    }
    return input;
}

double InputFile::startSeconds() const {
    if (format_->start_time == AV_NOPTS_VALUE)
        return 0;
    return format_->start_time / static_cast<double>(AV_TIME_BASE);
}

Status InputFile::openDecoders() {
    if (videoIndex_ >= 0) {
        auto decoder = openDecoder(format_->streams[videoIndex_], info_.path);
        if (!decoder)
            return Failure{decoder.error()};
        videoDecoder_ = std::move(decoder.value());
        format_->streams[videoIndex_]->discard = AVDISCARD_DEFAULT;
    }
    if (audioIndex_ >= 0) {
        auto decoder = openDecoder(format_->streams[audioIndex_], info_.path);
        if (!decoder)
            return Failure{decoder.error()};
        audioDecoder_ = std::move(decoder.value());
        format_->streams[audioIndex_]->discard = AVDISCARD_DEFAULT;
    }
    return {};
}

}  // namespace asapi
