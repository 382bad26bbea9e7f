// The encoder's command lines as the program builds them.
#pragma once

#include <string>
#include <vector>

namespace asapi::test {

// The conversion of one input: input, -o, intermediate, the fixed options and the frame size.
inline std::vector<std::string> conversionArgs(const std::string &input,
                                               const std::string &output,
                                               const std::string &size) {
    return {input,  "-o",    output, "-oac", "mp3lame",      "-ovc",
            "lavc", "-ofps", "30",   "-vf",  "scale=" + size};
}

// A command-line text split on single blanks, as the program's argument list has it: two blanks
// in a row give an empty argument, as after "-oac pcm".
inline std::vector<std::string> splitOnBlanks(const std::string &text) {
    std::vector<std::string> args;
    std::string current;
    for (char c : text) {
        if (c == ' ') {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    args.push_back(current);
    return args;
}

}  // namespace asapi::test
