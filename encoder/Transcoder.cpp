#include "encoder/Transcoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace asapi {

volatile std::sig_atomic_t g_stopRequested = 0;

namespace {

int evenAtLeastTwo(double value) {
    return std::max(2, static_cast<int>(std::lround(value / 2)) * 2);
}

bool isUsableRate(AVRational rate) {
    return rate.num > 0 && rate.den > 0 && av_q2d(rate) >= 1 && av_q2d(rate) <= 240;
}

// A time far outside the file's own length is a damaged timestamp; believed, it would fill the
// output with hours of repeated pictures.
bool isPlausibleTime(double time, const InputInfo &info) {
    if (info.durationSeconds <= 0)
        return true;
    return time > -10 && time < info.durationSeconds + 10;
}

bool sameFile(const std::string &a, const std::string &b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

double contentLength(double videoEnd, double audioEnd, double audioFrameSeconds, double fps) {
    // Sound that runs on past the pictures by less than a frame plus its codec's priming and
    // padding (up to two of its own frames) is not content: the pictures give the length.
    if (videoEnd >= 0 && (audioEnd < 0 || audioEnd < videoEnd + 1 / fps + 2 * audioFrameSeconds))
        return videoEnd;
    return std::max({videoEnd, audioEnd, 0.0});
}

Transcoder::Transcoder(const EncodeOptions &options, ProgressPrinter &progress)
    : options_(options), progress_(progress) {}

Status Transcoder::run() {
    Status status = prepare();
    if (status) {
        status = output_.create(options_.output);
        if (status)
            status = transcodeAll();
    }
    if (!status)
        output_.discard();
    return status;
}

Status Transcoder::prepare() {
    for (const std::string &path : options_.inputs) {
        if (sameFile(path, options_.output))
            return Failure{"the output '" + options_.output + "' is also an input"};
        auto input = InputFile::open(path);
        if (!input)
            return Failure{input.error()};
        inputs_.push_back(input->info());
    }
    auto formats = chooseFormats(options_);
    if (!formats)
        return Failure{formats.error()};
    formats_ = formats.value();

    // The first input with pictures gives what the options leave open.
    const InputInfo *source = nullptr;
    for (const InputInfo &info : inputs_) {
        if (info.hasVideo) {
            source = &info;
            break;
        }
    }
    if (options_.framesPerSecond)
        picture_.frameRate = av_d2q(*options_.framesPerSecond, 100000);
    else if (source && isUsableRate(source->frameRate))
        picture_.frameRate = source->frameRate;
    else
        picture_.frameRate = AVRational{25, 1};

    int sourceWidth = source ? source->width : 640;
    int sourceHeight = source ? source->height : 480;
    double sourceSar = source && source->sampleAspect.num > 0 ? av_q2d(source->sampleAspect) : 1;
    double sourceAspect = sourceWidth * sourceSar / sourceHeight;
    if (options_.width && options_.height) {
        picture_.width = *options_.width;
        picture_.height = *options_.height;
    } else if (options_.width) {
        picture_.width = *options_.width;
        picture_.height = evenAtLeastTwo(*options_.width / sourceAspect);
    } else if (options_.height) {
        picture_.height = *options_.height;
        picture_.width = evenAtLeastTwo(*options_.height * sourceAspect);
    } else {
        picture_.width = sourceWidth;
        picture_.height = sourceHeight;
    }
    if (options_.displayAspect) {
        picture_.sampleAspect =
            av_d2q(*options_.displayAspect * picture_.height / picture_.width, 10000);
    }

    if (auto status = output_.configure(options_, formats_, picture_); !status)
        return status;
    // The frame rate that the video encoder settled on may differ (MPEG-1/2 know a few only).
    picture_.frameRate = output_.videoEncoder()->framerate;
    const double fps = av_q2d(picture_.frameRate);
    for (const InputInfo &info : inputs_) {
        double length =
            contentLength(info.videoSeconds, info.audioSeconds, info.audioFrameSeconds, fps);
        totalSeconds_ += std::llround(length * fps) / fps;
    }

    const AVCodecContext *video = output_.videoEncoder();
    black_ = makeAVFrame();
    black_->format = video->pix_fmt;
    black_->width = video->width;
    black_->height = video->height;
    if (av_frame_get_buffer(black_.get(), 0) < 0)
        return Failure{"out of memory"};
    ptrdiff_t linesizes[4];
    for (int i = 0; i < 4; ++i)
        linesizes[i] = black_->linesize[i];
    av_image_fill_black(black_->data, linesizes, video->pix_fmt, video->color_range, video->width,
                        video->height);

    return sound_.init();
}

Status Transcoder::transcodeAll() {
    if (auto status = reportProgress(true); !status)
        return status;
    for (const std::string &path : options_.inputs) {
        auto input = InputFile::open(path);
        if (!input)
            return Failure{input.error()};
        if (auto status = input->openDecoders(); !status)
            return status;
        if (auto status = transcodeInput(input.value()); !status)
            return status;
    }
    if (auto status = sound_.finish(); !status)
        return status;
    if (auto status = output_.finish(); !status)
        return status;
    return reportProgress(true);
}

Status Transcoder::transcodeInput(InputFile &input) {
    current_ = Current{};
    current_.firstFrame = framesWritten_;
    current_.firstSample = samplesAt(framesWritten_);
    current_.hasAudio = input.info().hasAudio;
    scaler_.reset();

    AVFormatContext *format = input.format();
    while (true) {
        // A read error past the start is a damaged or cut file: what came before is kept.
        if (av_read_frame(format, packet_.get()) < 0)
            break;
        Status status;
        if (packet_->stream_index == input.videoIndex())
            status = decodeVideo(input, packet_.get());
        else if (packet_->stream_index == input.audioIndex())
            status = decodeAudio(input, packet_.get());
        av_packet_unref(packet_.get());
        if (!status)
            return status;
    }
    if (input.videoDecoder())
        if (auto status = decodeVideo(input, nullptr); !status)
            return status;
    if (input.audioDecoder())
        if (auto status = decodeAudio(input, nullptr); !status)
            return status;
    return endInput(input);
}

Status Transcoder::decodeVideo(InputFile &input, const AVPacket *packet) {
    // An empty chunk in an AVI index stands for a repeat of the previous picture. Handed to the
    // decoder it would read as the end of the stream and freeze the picture for good; left out,
    // the previous picture simply lasts until the next one.
    if (packet && packet->size == 0)
        return {};
    AVCodecContext *decoder = input.videoDecoder();
    // A damaged packet is skipped, as players do.
    if (avcodec_send_packet(decoder, packet) < 0 && packet)
        return {};
    while (avcodec_receive_frame(decoder, decoded_.get()) >= 0) {
        Status status = takePicture(input, decoded_.get());
        av_frame_unref(decoded_.get());
        if (!status)
            return status;
    }
    return {};
}

Status Transcoder::decodeAudio(InputFile &input, const AVPacket *packet) {
    if (packet && packet->size == 0)
        return {};
    AVCodecContext *decoder = input.audioDecoder();
    if (avcodec_send_packet(decoder, packet) < 0 && packet)
        return {};
    while (avcodec_receive_frame(decoder, decoded_.get()) >= 0) {
        Status status = takeSound(input, decoded_.get());
        av_frame_unref(decoded_.get());
        if (!status)
            return status;
    }
    return {};
}

Status Transcoder::takePicture(InputFile &input, AVFrame *decoded) {
    const AVStream *stream = input.format()->streams[input.videoIndex()];
    double sourceFrame = isUsableRate(input.info().frameRate) ? 1 / av_q2d(input.info().frameRate)
                                                              : 1 / av_q2d(picture_.frameRate);
    bool stamped = decoded->best_effort_timestamp != AV_NOPTS_VALUE;
    double time = current_.lastVideoTime < 0 ? 0 : current_.lastVideoTime + sourceFrame;
    if (stamped) {
        double stamp =
            decoded->best_effort_timestamp * av_q2d(stream->time_base) - input.startSeconds();
        stamped = isPlausibleTime(stamp, input.info());
        if (stamped)
            time = stamp;
    }
    double length =
        decoded->pkt_duration > 0 ? decoded->pkt_duration * av_q2d(stream->time_base) : sourceFrame;
    current_.videoEnd = std::max(current_.videoEnd, time + length);
    current_.lastVideoTime = time;
    current_.sawVideo = true;

    auto scaled = scalePicture(input, decoded);
    if (!scaled)
        return Failure{scaled.error()};

    // Each output frame shows the latest picture that is due at its time, rounded to the
    // nearest frame: pictures repeat or drop to hold the output rate.
    int64_t due = std::llround(time * av_q2d(picture_.frameRate));
    if (stamped) {
        // In whole numbers, so that a picture exactly halfway between two frames goes to the
        // later one every time, as ffmpeg's fps filter has it.
        int64_t start =
            input.format()->start_time == AV_NOPTS_VALUE
                ? 0
                : av_rescale_q(input.format()->start_time, AV_TIME_BASE_Q, stream->time_base);
        due = av_rescale_q_rnd(decoded->best_effort_timestamp - start, stream->time_base,
                               av_inv_q(picture_.frameRate), AV_ROUND_NEAR_INF);
    }
    const AVFrame *shown = current_.picture ? current_.picture.get() : scaled->get();
    if (auto status = emitVideoUntil(due, shown); !status)
        return status;
    current_.picture = std::move(scaled.value());
    return {};
}

Expected<AVFrameUPtr> Transcoder::scalePicture(const InputFile &input, const AVFrame *decoded) {
    const AVCodecContext *video = output_.videoEncoder();
    if (decoded->width == video->width && decoded->height == video->height &&
        decoded->format == video->pix_fmt) {
        // Already the output's size and format, as an intermediate is: a new reference to the
        // decoder's picture saves a copy through the scaler.
        AVFrameUPtr same(av_frame_clone(decoded));
        if (!same)
            return Failure{"out of memory"};
        same->sample_aspect_ratio = video->sample_aspect_ratio;
        return same;
    }
    AVFrameUPtr scaled = makeAVFrame();
    scaled->format = video->pix_fmt;
    scaled->width = video->width;
    scaled->height = video->height;
    scaled->sample_aspect_ratio = video->sample_aspect_ratio;
    if (av_frame_get_buffer(scaled.get(), 0) < 0)
        return Failure{"out of memory"};
    SwsContext *scaler =
        sws_getCachedContext(scaler_.release(), decoded->width, decoded->height,
                             static_cast<AVPixelFormat>(decoded->format), video->width,
                             video->height, video->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
    scaler_.reset(scaler);
    if (!scaler)
        return Failure{"cannot scale the pictures of '" + input.info().path + "'"};
    sws_scale(scaler, decoded->data, decoded->linesize, 0, decoded->height, scaled->data,
              scaled->linesize);
    return scaled;
}

Status Transcoder::takeSound(InputFile &input, AVFrame *decoded) {
    const AVStream *stream = input.format()->streams[input.audioIndex()];
    const AVCodecContext *audio = output_.audioEncoder();
    const int rate = audio->sample_rate;
    double time = current_.audioEnd;
    if (decoded->best_effort_timestamp != AV_NOPTS_VALUE) {
        double stamp =
            decoded->best_effort_timestamp * av_q2d(stream->time_base) - input.startSeconds();
        if (isPlausibleTime(stamp, input.info()))
            time = stamp;
    }
    current_.audioEnd =
        std::max(current_.audioEnd, time + decoded->nb_samples / double(decoded->sample_rate));
    current_.sawAudio = true;
    current_.longestAudioFrame =
        std::max(current_.longestAudioFrame, decoded->nb_samples / double(decoded->sample_rate));

    AVChannelLayout layout{};
    if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, decoded->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&layout, &decoded->ch_layout);
    if (!current_.resampler || current_.resamplerRate != decoded->sample_rate ||
        current_.resamplerFormat != decoded->format ||
        av_channel_layout_compare(&current_.resamplerLayout, &layout) != 0) {
        SwrContext *raw = nullptr;
        // The 5.x signature takes the layouts without const.
        int err = swr_alloc_set_opts2(&raw, const_cast<AVChannelLayout *>(&audio->ch_layout),
                                      audio->sample_fmt, rate, &layout,
                                      static_cast<AVSampleFormat>(decoded->format),
                                      decoded->sample_rate, 0, nullptr);
        current_.resampler.reset(raw);
        if (err >= 0)
            err = swr_init(raw);
        if (err < 0) {
            av_channel_layout_uninit(&layout);
            return Failure{"cannot resample the sound of '" + input.info().path +
                           "': " + err2str(err)};
        }
        av_channel_layout_uninit(&current_.resamplerLayout);
        current_.resamplerLayout = layout;
        current_.resamplerRate = decoded->sample_rate;
        current_.resamplerFormat = decoded->format;
    } else {
        av_channel_layout_uninit(&layout);
    }
    SwrContext *resampler = current_.resampler.get();

    // Place the sound at its time: silence before a late start, and over a gap that damaged
    // frames left; a start before the input's own start is cut.
    int64_t queued = sound_.total() - current_.firstSample + swr_get_delay(resampler, rate);
    int64_t wanted = std::llround(time * rate);
    if (!current_.audioStarted) {
        current_.audioStarted = true;
        if (wanted > queued)
            if (auto status = sound_.pushSilence(wanted - queued, keepBack()); !status)
                return status;
        if (wanted < queued)
            current_.samplesToSkip = queued - wanted;
    } else if (wanted - queued > rate / 10) {
        if (auto status = sound_.pushSilence(wanted - queued, keepBack()); !status)
            return status;
    }

    AVFrameUPtr converted = makeAVFrame();
    converted->format = audio->sample_fmt;
    av_channel_layout_copy(&converted->ch_layout, &audio->ch_layout);
    converted->nb_samples = swr_get_out_samples(resampler, decoded->nb_samples);
    if (converted->nb_samples <= 0)
        return {};
    if (av_frame_get_buffer(converted.get(), 0) < 0)
        return Failure{"out of memory"};
    int got =
        swr_convert(resampler, converted->extended_data, converted->nb_samples,
                    const_cast<const uint8_t **>(decoded->extended_data), decoded->nb_samples);
    if (got < 0)
        return Failure{"cannot resample the sound of '" + input.info().path + "': " + err2str(got)};
    if (auto status = queueConverted(converted->extended_data, got); !status)
        return status;

    if (!input.info().hasVideo) {
        // Sound only: black pictures follow the sound as it comes.
        double soundSoFar = double(sound_.total() - current_.firstSample) / rate;
        int64_t due = std::llround(soundSoFar * av_q2d(picture_.frameRate));
        if (auto status = emitVideoUntil(due, black_.get()); !status)
            return status;
    }
    return sound_.encode(keepBack());
}

Status Transcoder::endInput(InputFile &input) {
    const AVCodecContext *audio = output_.audioEncoder();
    if (SwrContext *resampler = current_.resampler.get()) {
        AVFrameUPtr tail = makeAVFrame();
        tail->format = audio->sample_fmt;
        av_channel_layout_copy(&tail->ch_layout, &audio->ch_layout);
        tail->nb_samples = swr_get_out_samples(resampler, 0);
        if (tail->nb_samples > 0) {
            if (av_frame_get_buffer(tail.get(), 0) < 0)
                return Failure{"out of memory"};
            int got = swr_convert(resampler, tail->extended_data, tail->nb_samples, nullptr, 0);
            if (got > 0)
                if (auto status = queueConverted(tail->extended_data, got); !status)
                    return status;
        }
    }
    av_channel_layout_uninit(&current_.resamplerLayout);

    const double fps = av_q2d(picture_.frameRate);
    double length =
        contentLength(current_.sawVideo ? current_.videoEnd : -1,
                      current_.sawAudio ? current_.audioEnd : -1, current_.longestAudioFrame, fps);
    int64_t frames = std::llround(length * fps);
    if (std::getenv("ASAPI_DEBUG"))
        std::fprintf(stderr, "input %s: video %.4f audio %.4f frames %lld\n",
                     input.info().path.c_str(), current_.videoEnd, current_.audioEnd,
                     static_cast<long long>(frames));
    const AVFrame *last = current_.picture ? current_.picture.get() : black_.get();
    if (auto status = emitVideoUntil(frames, last); !status)
        return status;

    // Sound ends exactly with the pictures, so the next input starts in step.
    int64_t target = samplesAt(framesWritten_);
    int64_t have = sound_.total();
    if (have < target)
        return sound_.pushSilence(target - have, keepBack());
    sound_.dropTail(have - target);
    return {};
}

Status Transcoder::emitVideoUntil(int64_t localFrames, const AVFrame *picture) {
    while (framesWritten_ - current_.firstFrame < localFrames) {
        AVFrameUPtr frame(av_frame_clone(picture));
        if (!frame)
            return Failure{"out of memory"};
        frame->pts = framesWritten_;
        frame->pict_type = AV_PICTURE_TYPE_NONE;
        if (auto status = output_.writeVideo(frame.get()); !status)
            return status;
        ++framesWritten_;
        if (!current_.hasAudio) {
            // An input without sound: silence keeps pace with the pictures.
            int64_t behind = samplesAt(framesWritten_ - 1) - sound_.total();
            if (behind > 0)
                if (auto status = sound_.pushSilence(behind, keepBack()); !status)
                    return status;
        }
        if (auto status = reportProgress(false); !status)
            return status;
    }
    return {};
}

Status Transcoder::queueConverted(uint8_t *const *data, int samples) {
    int skip = static_cast<int>(std::min<int64_t>(current_.samplesToSkip, samples));
    current_.samplesToSkip -= skip;
    return sound_.push(data, samples, skip);
}

int64_t Transcoder::keepBack() const {
    // Up to two frames' worth of sound stays unencoded, so that an input's end can still be cut
    // to meet its last picture.
    return 2 * samplesAt(1) + 1;
}

Status Transcoder::reportProgress(bool force) {
    if (g_stopRequested)
        return Failure{"stopped by a signal"};
    if (!force && !progress_.due())
        return {};
    ProgressFigures figures;
    figures.positionSeconds = seconds(framesWritten_);
    figures.frames = framesWritten_;
    figures.totalSeconds = totalSeconds_;
    figures.outputBytes = output_.bytesWritten();
    // A constant quantiser or VBR quality has no bitrate to show.
    auto kbit = [](const AVCodecContext *encoder) {
        return encoder->flags & AV_CODEC_FLAG_QSCALE ? 0
                                                     : static_cast<int>(encoder->bit_rate / 1000);
    };
    figures.videoKbit = kbit(output_.videoEncoder());
    figures.audioKbit = kbit(output_.audioEncoder());
    progress_.print(figures);
    return {};
}

int64_t Transcoder::samplesAt(int64_t frames) const {
    const AVRational rate = picture_.frameRate;
    return av_rescale(frames, int64_t(output_.audioEncoder()->sample_rate) * rate.den, rate.num);
}

double Transcoder::seconds(int64_t frames) const {
    return frames / av_q2d(picture_.frameRate);
}

}  // namespace asapi
