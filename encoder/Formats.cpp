#include "encoder/Formats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace asapi {

namespace {

std::string encoderForVideoCodec(const std::string &codec) {
    if (codec == "h264")
        return "libx264";
    return codec;
}

std::string encoderForAudio(const EncodeOptions &options, const std::string &container) {
    switch (options.audioEncoder) {
        case AudioEncoder::Mp3Lame:
            return "libmp3lame";
        case AudioEncoder::Pcm:
            // MPEG program streams carry LPCM, which is big-endian.
            return container == "mpeg" || container == "vob" ? "pcm_s16be" : "pcm_s16le";
        case AudioEncoder::Lavc:
            return options.audioCodec == "mp3" ? "libmp3lame" : options.audioCodec;
    }
    return {};
}

// The MPEG program stream muxers say nothing through avformat_query_codec, so their codecs are
// listed here.
bool programStreamCarries(const std::string &container, AVCodecID id) {
    static const AVCodecID kVideo[] = {AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO,
                                       AV_CODEC_ID_MPEG4, AV_CODEC_ID_H264};
    static const AVCodecID kAudio[] = {AV_CODEC_ID_MP2, AV_CODEC_ID_MP3, AV_CODEC_ID_AC3,
                                       AV_CODEC_ID_PCM_S16BE};
    if (container == "vob" && id == AV_CODEC_ID_MPEG4)
        return false;
    return std::find(std::begin(kVideo), std::end(kVideo), id) != std::end(kVideo) ||
           std::find(std::begin(kAudio), std::end(kAudio), id) != std::end(kAudio);
}

bool containerCarries(const AVOutputFormat *format, AVCodecID id) {
    std::string name = format->name;
    if (name == "mpeg" || name == "vob")
        return programStreamCarries(name, id);
    return avformat_query_codec(format, id, FF_COMPLIANCE_NORMAL) == 1;
}

std::string extensionOf(const std::string &path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

}  // namespace

std::string containerForPath(const std::string &path) {
    static const std::map<std::string, std::string> kByExtension = {
        {".avi", "avi"}, {".mpg", "mpeg"}, {".vob", "vob"}, {".mp4", "mp4"},
        {".mov", "mov"}, {".wmv", "asf"},  {".asf", "asf"}, {".flv", "flv"},
    };
    auto it = kByExtension.find(extensionOf(path));
    return it == kByExtension.end() ? "avi" : it->second;
}

Expected<OutputFormats> chooseFormats(const EncodeOptions &options) {
    OutputFormats formats;
    std::string container = containerForPath(options.output);
    formats.container = av_guess_format(container.c_str(), nullptr, nullptr);
    if (!formats.container)
        return Failure{"this build of the FFmpeg libraries has no " + container + " muxer"};

    std::string videoName = encoderForVideoCodec(options.videoCodec);
    formats.videoEncoder = avcodec_find_encoder_by_name(videoName.c_str());
    if (!formats.videoEncoder)
        return Failure{"this build of the FFmpeg libraries has no " + videoName + " encoder"};
    std::string audioName = encoderForAudio(options, container);
    formats.audioEncoder = avcodec_find_encoder_by_name(audioName.c_str());
    if (!formats.audioEncoder)
        return Failure{"this build of the FFmpeg libraries has no " + audioName + " encoder"};

    std::string shown = extensionOf(options.output);
    if (shown.empty())
        shown = container;
    if (!containerCarries(formats.container, formats.videoEncoder->id))
        return Failure{"a " + shown + " file cannot hold " + options.videoCodec + " video"};
    if (!containerCarries(formats.container, formats.audioEncoder->id)) {
        std::string audio = options.audioEncoder == AudioEncoder::Pcm       ? "PCM"
                            : options.audioEncoder == AudioEncoder::Mp3Lame ? "mp3"
                                                                            : options.audioCodec;
        return Failure{"a " + shown + " file cannot hold " + audio + " audio"};
    }
    return formats;
}

}  // namespace asapi
