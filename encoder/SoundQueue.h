// The output's sound between the resampler and the audio encoder: samples wait here until a
// whole encoder frame is ready, so that an input's end can still be padded or cut to meet its
// pictures exactly.
#pragma once

#include <cstdint>

#include "encoder/Av.h"
#include "encoder/Expected.h"
#include "encoder/Output.h"

namespace asapi {

class SoundQueue {
public:
    explicit SoundQueue(OutputFile &output) : output_(output) {}

    // After the output's encoders are set up.
    Status init();

    // Samples taken so far, encoded or waiting: the sound's position on the output timeline.
    int64_t total() const;

    // Adds samples in the encoder's format, leaving out the first `skip` of them.
    Status push(uint8_t *const *data, int samples, int skip = 0);
    // Adds silence; whole frames beyond `keepBack` waiting samples go to the encoder as it goes.
    Status pushSilence(int64_t samples, int64_t keepBack);
    // Cuts samples off the end of what waits; what was encoded already stays.
    void dropTail(int64_t samples);
    // Encodes whole frames while more than `keepBack` samples would still wait.
    Status encode(int64_t keepBack);
    // Encodes what is left, the last frame short or rounded to a whole one as the codec needs.
    Status finish();

private:
    AVFrameUPtr makeFrame(int samples) const;
    Status send(int samples);

    OutputFile &output_;
    AVAudioFifoUPtr fifo_;
    int64_t encoded_ = 0;
    int primingLeft_ = 0;
};

}  // namespace asapi
