// Decodes the inputs in order onto one timeline and writes them as one output file.
#pragma once

#include <csignal>
#include <vector>

#include "encoder/Av.h"
#include "encoder/Expected.h"
#include "encoder/Formats.h"
#include "encoder/Input.h"
#include "encoder/Options.h"
#include "encoder/Output.h"
#include "encoder/Progress.h"
#include "encoder/SoundQueue.h"

namespace asapi {

// Set by a signal handler; the run stops at the next frame and deletes its output.
extern volatile std::sig_atomic_t g_stopRequested;

// How long an input is on the output timeline, from where its pictures and its sound end (-1 for
// a stream that it lacks).
double contentLength(double videoEnd, double audioEnd, double audioFrameSeconds, double fps);

class Transcoder {
public:
    Transcoder(const EncodeOptions &options, ProgressPrinter &progress);

    // Writes the whole output, or leaves no output file behind.
    Status run();

private:
    Status prepare();
    Status transcodeAll();
    Status transcodeInput(InputFile &input);
    Status decodeVideo(InputFile &input, const AVPacket *packet);
    Status decodeAudio(InputFile &input, const AVPacket *packet);
    Status takePicture(InputFile &input, AVFrame *decoded);
    Status takeSound(InputFile &input, AVFrame *decoded);
    Expected<AVFrameUPtr> scalePicture(const InputFile &input, const AVFrame *decoded);
    Status endInput(InputFile &input);

    Status emitVideoUntil(int64_t localFrames, const AVFrame *picture);
    Status queueConverted(uint8_t *const *data, int samples);
    Status reportProgress(bool force);

    int64_t samplesAt(int64_t frames) const;  // audio samples in step with a frame count
    double seconds(int64_t frames) const;
    int64_t keepBack() const;

    const EncodeOptions &options_;
    ProgressPrinter &progress_;
    std::vector<InputInfo> inputs_;
    double totalSeconds_ = 0;
    OutputFormats formats_;
    PictureFormat picture_;
    OutputFile output_;

    AVFrameUPtr black_;
    SoundQueue sound_{output_};
    int64_t framesWritten_ = 0;

    // The input being read.
    struct Current {
        int64_t firstFrame = 0;
        int64_t firstSample = 0;
        AVFrameUPtr picture;
        bool hasAudio = false;  // has a sound stream, whether or not it decodes
        SwrContextUPtr resampler;
        AVChannelLayout resamplerLayout{};
        int resamplerRate = 0;
        int resamplerFormat = -1;
        bool audioStarted = false;
        int64_t samplesToSkip = 0;
        double videoEnd = 0;
        double audioEnd = 0;
        double longestAudioFrame = 0;
        double lastVideoTime = -1;
        bool sawVideo = false;
        bool sawAudio = false;
    };
    Current current_;
    SwsContextUPtr scaler_;
    AVFrameUPtr decoded_ = makeAVFrame();
    AVPacketUPtr packet_ = makeAVPacket();
};

}  // namespace asapi
