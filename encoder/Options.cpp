#include "encoder/Options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <sstream>

namespace asapi {

namespace {

const char *const kVideoCodecs[] = {"mpeg4",      "msmpeg4v2",  "msmpeg4", "wmv1", "wmv2",
                                    "mpeg1video", "mpeg2video", "flv",     "h264", "mjpeg"};
const char *const kAudioCodecs[] = {"mp2", "ac3", "aac", "wmav2", "wmav1", "mp3"};

std::vector<std::string> split(const std::string &text, char sep) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        auto pos = text.find(sep, start);
        parts.push_back(text.substr(start, pos - start));
        if (pos == std::string::npos)
            return parts;
        start = pos + 1;
    }
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// MEncoder reads vbitrate up to 16000 as kbit/s and anything above as bit/s.
Expected<std::optional<int64_t>> parseVideoBitrate(const std::string &text) {
    if (text.empty())
        return std::optional<int64_t>();
    auto value = parseInteger(text, "video bitrate");
    if (!value)
        return Failure{value.error()};
    if (value.value() <= 0)
        return Failure{"invalid video bitrate '" + text + "': it must be above 0"};
    return std::optional<int64_t>(value.value() <= 16000 ? value.value() * 1000 : value.value());
}

Expected<std::optional<int64_t>> parseAudioBitrate(const std::string &text) {
    if (text.empty())
        return std::optional<int64_t>();
    auto value = parseInteger(text, "audio bitrate");
    if (!value)
        return Failure{value.error()};
    if (value.value() <= 0 || value.value() > 10000)
        return Failure{"invalid audio bitrate '" + text + "' (kbit/s)"};
    return std::optional<int64_t>(value.value() * 1000);
}

Expected<double> parseAspect(const std::string &text) {
    auto colon = text.find(':');
    if (colon == std::string::npos) {
        auto slash = text.find('/');
        colon = slash;
    }
    if (colon == std::string::npos) {
        auto value = parseDecimal(text, "aspect");
        if (!value)
            return value;
        if (value.value() <= 0)
            return Failure{"invalid aspect '" + text + "'"};
        return value.value();
    }
    auto w = parseDecimal(text.substr(0, colon), "aspect");
    auto h = parseDecimal(text.substr(colon + 1), "aspect");
    if (!w || !h || w.value() <= 0 || h.value() <= 0)
        return Failure{"invalid aspect '" + text + "'"};
    return w.value() / h.value();
}

bool isBareNumber(const std::string &text) {
    return !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
}

Expected<std::optional<int>> parseDimension(const std::string &text, const char *what) {
    if (text.empty())
        return std::optional<int>();
    auto value = parseInteger(text, what);
    if (!value)
        return Failure{value.error()};
    if (value.value() <= 0 || value.value() > 16384)
        return Failure{std::string("invalid ") + what + " '" + text + "'"};
    return std::optional<int>(static_cast<int>(value.value()));
}

}  // namespace

bool isKnownVideoCodec(const std::string &name) {
    return std::find(std::begin(kVideoCodecs), std::end(kVideoCodecs), name) !=
           std::end(kVideoCodecs);
}

bool isKnownAudioCodec(const std::string &name) {
    return std::find(std::begin(kAudioCodecs), std::end(kAudioCodecs), name) !=
           std::end(kAudioCodecs);
}

Expected<int64_t> parseInteger(const std::string &text, const std::string &what) {
    int64_t value = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return Failure{"invalid " + what + " '" + text + "': not a whole number"};
    return value;
}

Expected<double> parseDecimal(const std::string &text, const std::string &what) {
    // Always a dot, whatever the user's locale says.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> std::noskipws >> value;
    if (text.empty() || in.fail() || !in.eof() || !std::isfinite(value))
        return Failure{"invalid " + what + " '" + text + "': not a number"};
    return value;
}

Status applyLavcOpts(const std::string &text, EncodeOptions &options) {
    options.intermediate = false;
    auto parts = split(text, ':');
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string &part = parts[i];
        if (part.empty())
            continue;
        auto eq = part.find('=');
        std::string key = part.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : part.substr(eq + 1);
        if (key == "vcodec") {
            if (!isKnownVideoCodec(value))
                return Failure{"unknown video codec '" + value + "'"};
            options.videoCodec = value;
        } else if (key == "acodec") {
            if (!isKnownAudioCodec(value))
                return Failure{"unknown audio codec '" + value + "'"};
            options.audioCodec = value;
        } else if (key == "vbitrate") {
            auto bitrate = parseVideoBitrate(value);
            if (!bitrate)
                return Failure{bitrate.error()};
            options.videoBitrate = bitrate.value();
        } else if (key == "abitrate") {
            auto bitrate = parseAudioBitrate(value);
            if (!bitrate)
                return Failure{bitrate.error()};
            options.audioBitrate = bitrate.value();
        } else if (key == "mbd") {
            auto mbd = parseInteger(value, "mbd");
            if (!mbd)
                return Failure{mbd.error()};
            if (mbd.value() < 0 || mbd.value() > 2)
                return Failure{"invalid mbd '" + value + "': it must be 0, 1 or 2"};
            options.macroblockDecision = static_cast<int>(mbd.value());
        } else if (key == "autoaspect" && eq == std::string::npos) {
            options.displayAspect.reset();
        } else if (key == "aspect") {
            // "aspect=16:9" shares its colon with the suboption separator.
            if (value.find_first_of(":/") == std::string::npos && i + 1 < parts.size() &&
                isBareNumber(parts[i + 1]))
                value += ":" + parts[++i];
            auto aspect = parseAspect(value);
            if (!aspect)
                return Failure{aspect.error()};
            options.displayAspect = aspect.value();
        } else {
            return Failure{"unknown -lavcopts suboption '" + part + "'"};
        }
    }
    return {};
}

Status applyLameOpts(const std::string &text, EncodeOptions &options) {
    for (const std::string &part : split(text, ':')) {
        if (part.empty())
            continue;
        auto eq = part.find('=');
        std::string key = part.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : part.substr(eq + 1);
        if (eq == std::string::npos) {
            // A mode word; the option builder passes on whatever case the profile holds, and a
            // bare "vbr" with a bitrate means LAME's average-bitrate mode.
            std::string mode = lower(key);
            if (mode == "cbr")
                options.lameMode = LameMode::Cbr;
            else if (mode == "abr" || mode == "vbr")
                options.lameMode = LameMode::Abr;
            else
                return Failure{"unknown -lameopts suboption '" + part + "'"};
        } else if (key == "vbr") {
            auto mode = parseInteger(value, "lame vbr mode");
            if (!mode)
                return Failure{mode.error()};
            if (mode.value() < 0 || mode.value() > 4)
                return Failure{"invalid lame vbr mode '" + value + "': it must be 0 to 4"};
            options.lameMode = mode.value() == 0   ? LameMode::Cbr
                               : mode.value() == 3 ? LameMode::Abr
                                                   : LameMode::Vbr;
        } else if (key == "q") {
            auto q = parseInteger(value, "lame quality");
            if (!q)
                return Failure{q.error()};
            if (q.value() < 0 || q.value() > 9)
                return Failure{"invalid lame quality '" + value + "': it must be 0 to 9"};
            options.lameQuality = static_cast<int>(q.value());
        } else if (key == "br") {
            auto br = parseInteger(value, "lame bitrate");
            if (!br)
                return Failure{br.error()};
            if (br.value() < 8 || br.value() > 320)
                return Failure{"invalid lame bitrate '" + value + "': it must be 8 to 320 kbit/s"};
            options.lameBitrateKbit = static_cast<int>(br.value());
        } else {
            return Failure{"unknown -lameopts suboption '" + part + "'"};
        }
    }
    return {};
}

Status applyVideoFilter(const std::string &text, EncodeOptions &options) {
    const std::string prefix = "scale";
    if (text.compare(0, prefix.size(), prefix) != 0 ||
        (text.size() > prefix.size() && text[prefix.size()] != '='))
        return Failure{"unknown video filter '" + text + "' (only scale=W:H)"};
    std::string args = text.size() > prefix.size() ? text.substr(prefix.size() + 1) : "";
    auto parts = split(args, ':');
    if (parts.size() > 2)
        return Failure{"invalid scale '" + args + "': give width:height"};
    auto width = parseDimension(parts[0], "width");
    if (!width)
        return Failure{width.error()};
    auto height = parseDimension(parts.size() > 1 ? parts[1] : "", "height");
    if (!height)
        return Failure{height.error()};
    options.width = width.value();
    options.height = height.value();
    return {};
}

Expected<EncodeOptions> parseCommandLine(const std::vector<std::string> &rawArgs) {
    std::vector<std::string> args;
    for (const auto &arg : rawArgs)
        if (!arg.empty())
            args.push_back(arg);

    EncodeOptions options;
    bool haveOutput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            options.inputs.push_back(arg);
            continue;
        }
        // -srate may be left without a value: the sample rate list was empty.
        if (arg == "-srate") {
            if (i + 1 >= args.size())
                continue;
            auto rate = parseInteger(args[++i], "sample rate");
            if (!rate)
                return Failure{rate.error()};
            if (rate.value() < 8000 || rate.value() > 192000)
                return Failure{"invalid sample rate '" + args[i] + "'"};
            options.sampleRate = static_cast<int>(rate.value());
            continue;
        }
        static const char *const kWithValue[] = {"-o",        "-ovc",  "-oac", "-lavcopts",
                                                 "-lameopts", "-ofps", "-vf",  "-channels"};
        if (std::find(std::begin(kWithValue), std::end(kWithValue), arg) == std::end(kWithValue))
            return Failure{"unknown option '" + arg + "'"};
        if (i + 1 >= args.size())
            return Failure{"option '" + arg + "' needs a value"};
        const std::string &value = args[++i];
        Status status;
        if (arg == "-o") {
            options.output = value;
            haveOutput = true;
        } else if (arg == "-ovc") {
            if (value != "lavc")
                return Failure{"unknown video encoder '" + value + "' (only lavc)"};
        } else if (arg == "-oac") {
            if (value == "mp3lame")
                options.audioEncoder = AudioEncoder::Mp3Lame;
            else if (value == "lavc")
                options.audioEncoder = AudioEncoder::Lavc;
            else if (value == "pcm")
                options.audioEncoder = AudioEncoder::Pcm;
            else
                return Failure{"unknown audio encoder '" + value + "' (mp3lame, lavc or pcm)"};
        } else if (arg == "-lavcopts") {
            status = applyLavcOpts(value, options);
        } else if (arg == "-lameopts") {
            status = applyLameOpts(value, options);
        } else if (arg == "-vf") {
            status = applyVideoFilter(value, options);
        } else if (arg == "-ofps") {
            auto fps = parseDecimal(value, "frame rate");
            if (!fps)
                return Failure{fps.error()};
            if (fps.value() < 1 || fps.value() > 240)
                return Failure{"invalid frame rate '" + value + "': it must be 1 to 240"};
            options.framesPerSecond = fps.value();
        } else if (arg == "-channels") {
            auto channels = parseInteger(value, "channel count");
            if (!channels)
                return Failure{channels.error()};
            if (channels.value() < 1 || channels.value() > 8)
                return Failure{"invalid channel count '" + value + "': it must be 1 to 8"};
            options.channels = static_cast<int>(channels.value());
        }
        if (!status)
            return Failure{status.error()};
    }
    if (options.inputs.empty())
        return Failure{"no input file given"};
    if (!haveOutput)
        return Failure{"no output file given (-o FILE)"};
    return options;
}

}  // namespace asapi
