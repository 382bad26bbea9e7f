#include "Harness.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <cstdlib>

#include <fstream>
#include <map>
#include <random>
#include <sstream>

extern char **environ;

namespace asapi::test {

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> splitOn(const std::string &text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

}  // namespace

int startProgram(const std::string &program,
                 const std::vector<std::string> &args,
                 const std::string &outPath,
                 const std::string &errPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const auto &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int waitProgram(int pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid)
        return -2;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

RunResult runProgram(const std::string &program, const std::vector<std::string> &args) {
    TempDir io;
    const std::string outPath = (io / "out").string();
    const std::string errPath = (io / "err").string();
    RunResult result;
    auto start = std::chrono::steady_clock::now();
    int pid = startProgram(program, args, outPath, errPath);
    if (pid < 0) {
        result.err = "cannot start " + program;
        return result;
    }
    result.exitCode = waitProgram(pid);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

std::string encoderPath() {
    return std::string(SPLICORA_APP_DIR) + "/asapi.dll";
}

RunResult runEncoder(const std::vector<std::string> &args) {
    return runProgram(encoderPath(), args);
}

fs::path mediaDir() {
    return fs::path(SPLICORA_TEST_MEDIA_DIR) / "encoder";
}

fs::path media(const std::string &name) {
    return mediaDir() / name;
}

TempDir::TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() /
            ("asapi-test-" + std::to_string(getpid()) + "-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

MediaFacts probe(const fs::path &file) {
    // One line per stream and one for the format, each "key=value|key=value".
    RunResult run = runProgram(
        "ffprobe",
        {"-v", "error", "-count_frames", "-show_entries",
         "format=format_name,duration:stream=codec_type,codec_name,width,height,"
         "r_frame_rate,sample_rate,channels,duration,nb_read_frames,display_aspect_ratio",
         "-of", "compact=p=0", file.string()});
    MediaFacts facts;
    for (const std::string &line : splitOn(run.out, '\n')) {
        std::map<std::string, std::string> fields;
        for (const std::string &field : splitOn(line, '|')) {
            auto eq = field.find('=');
            if (eq != std::string::npos)
                fields[field.substr(0, eq)] = field.substr(eq + 1);
        }
        auto number = [&](const char *key) {
            auto it = fields.find(key);
            return it == fields.end() || it->second == "N/A" ? -1.0 : std::atof(it->second.c_str());
        };
        if (fields.count("format_name")) {
            facts.formatName = fields["format_name"];
            facts.duration = number("duration");
            continue;
        }
        StreamFacts stream;
        stream.codec = fields["codec_name"];
        stream.width = static_cast<int>(number("width"));
        stream.height = static_cast<int>(number("height"));
        stream.frameRate = fields["r_frame_rate"];
        stream.sampleRate = static_cast<int>(number("sample_rate"));
        stream.channels = static_cast<int>(number("channels"));
        stream.duration = number("duration");
        stream.frames = static_cast<long>(number("nb_read_frames"));
        stream.displayAspect = fields["display_aspect_ratio"];
        if (fields["codec_type"] == "video" && !facts.video)
            facts.video = stream;
        else if (fields["codec_type"] == "audio" && !facts.audio)
            facts.audio = stream;
    }
    return facts;
}

std::string filterReport(const fs::path &file,
                         const std::string &option,
                         const std::string &filter) {
    RunResult run = runProgram("ffmpeg", {"-nostdin", "-hide_banner", "-nostats", "-i",
                                          file.string(), option, filter, "-f", "null", "-"});
    return run.err;
}

std::string decodeErrors(const fs::path &file) {
    RunResult run =
        runProgram("ffmpeg", {"-nostdin", "-v", "error", "-i", file.string(), "-f", "null", "-"});
    // FLV keeps milliseconds, so at 30 fps two frames can round onto the same tick of the null
    // output's time base; ffmpeg's null muxer complains about that, not the decoders.
    std::string errors;
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);)
        if (line.find("non monotonically increasing dts to muxer") == std::string::npos)
            errors += line + "\n";
    return errors;
}

std::vector<std::string> progressLines(const std::string &out) {
    std::vector<std::string> lines;
    for (const std::string &line : splitOn(out, '\r'))
        if (line.find("Pos:") != std::string::npos)
            lines.push_back(line);
    return lines;
}

std::optional<double> joinerPosition(const std::string &chunk) {
    auto pos = chunk.find("Pos:");
    if (pos == std::string::npos)
        return std::nullopt;
    std::string rest = chunk.substr(pos + 4);
    auto s = rest.find('s');
    if (s == std::string::npos)
        return std::nullopt;
    std::string text = rest.substr(0, s);
    std::istringstream in(text);
    double value = 0;
    in >> value;
    if (in.fail())
        return std::nullopt;
    in >> std::ws;
    if (!in.eof())
        return std::nullopt;
    return value;
}

}  // namespace asapi::test
