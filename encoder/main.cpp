// asapi.dll: the encoder that the joiner runs, once per input and once for the join.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "encoder/Av.h"
#include "encoder/Options.h"
#include "encoder/Transcoder.h"

namespace {

void requestStop(int) {
    asapi::g_stopRequested = 1;
}

int fail(const std::string &message) {
    std::fprintf(stderr, "asapi: error: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char **argv) {
    // Only our own one-line messages reach the pipe; libav's chatter would bury them.
    av_log_set_level(std::getenv("ASAPI_DEBUG") ? AV_LOG_VERBOSE : AV_LOG_QUIET);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    std::signal(SIGHUP, requestStop);
    // A reader that went away must not kill the run before it can clean up.
    std::signal(SIGPIPE, SIG_IGN);

    auto options = asapi::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!options)
        return fail(options.error());

    asapi::ProgressPrinter progress(stdout);
    asapi::Transcoder transcoder(options.value(), progress);
    asapi::Status status = transcoder.run();
    std::fputs("\n", stdout);
    std::fflush(stdout);
    if (!status)
        return fail(status.error());
    return 0;
}
