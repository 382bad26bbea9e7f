// Runs the built encoder and ffmpeg's tools as child processes and reads what they report.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace asapi::test {

struct RunResult {
    int exitCode = -1;  // -1 when killed by a signal
    std::string out;
    std::string err;
    double seconds = 0;
};

// Runs a program with exactly these arguments, no shell in between.
RunResult runProgram(const std::string &program, const std::vector<std::string> &args);
RunResult runEncoder(const std::vector<std::string> &args);

std::string encoderPath();
std::filesystem::path mediaDir();
std::filesystem::path media(const std::string &name);

// A fresh folder under the system temp folder, removed at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct StreamFacts {
    std::string codec;
    int width = 0;
    int height = 0;
    std::string frameRate;  // "30/1"
    int sampleRate = 0;
    int channels = 0;
    double duration = -1;
    long frames = -1;           // decoded frames, counted
    std::string displayAspect;  // "16:9"
};

struct MediaFacts {
    std::string formatName;
    double duration = -1;
    std::optional<StreamFacts> video;
    std::optional<StreamFacts> audio;
};

// ffprobe's view, with the video frames counted by decoding.
MediaFacts probe(const std::filesystem::path &file);

// Starts a program without waiting; its output goes to the given files.
int startProgram(const std::string &program,
                 const std::vector<std::string> &args,
                 const std::string &outPath,
                 const std::string &errPath);
// Waits for a started program; its exit code, or -1 when a signal ended it.
int waitProgram(int pid);

// The text that ffmpeg prints on standard error for a filter run over the file, such as
// silencedetect or blackdetect.
std::string filterReport(const std::filesystem::path &file,
                         const std::string &option,
                         const std::string &filter);

// Errors that a whole decode of the file prints.
std::string decodeErrors(const std::filesystem::path &file);

// Splits the encoder's progress text into lines and reads the position the way the joiner
// does: the text after the first "Pos:" up to the next "s", as a decimal number.
std::vector<std::string> progressLines(const std::string &out);
std::optional<double> joinerPosition(const std::string &chunk);

}  // namespace asapi::test
