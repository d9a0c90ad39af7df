// What happens to a stream's sound between its source and the 16-bit samples the listener
// gets: the effect chain in order, then the volume (with phone loudness's gain), then a
// look-ahead peak limiter that turns down what would go over its ceiling, then the conversion
// back to 16 bits. The
// preview's device callback and the offline renderer of the ringtone both go through it, so
// the file that leaves the program is what the preview played.
//
// One stage per stream, owned by whoever runs the stream; it holds the volume last applied and
// the limiter's gain. Process is real-time safe (no allocation, lock or I/O): the device callback
// calls it.
#pragma once

#include "dsp/AudioEffect.h"
#include "dsp/PeakLimiter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class OutputStage {
public:
    // The effects of a stream in processing order; not owned.
    using Chain = std::vector<AudioEffect*>;

    // Frames that come out of Process later than they went in: the limiter's look-ahead.
    static constexpr size_t latency = PeakLimiter::latency;

    // Starts at this volume (0.0 to 1.0) and phone loudness gain (as in Process) with no glide:
    // a stream that starts plays its first block at the level it was given.
    void Start(float volume, float loudnessGain) {
        appliedVolume = volume * (loudnessGain > 0.0f ? loudnessGain : 1.0f);
        limiter.Reset();
    }

    // Runs count interleaved stereo frames through the chain (null for none), then scales them
    // by the volume and by loudnessGain, and limits them to the limiter's ceiling: the true
    // peak at -1.5 dBTP while loudnessGain is above 0 (phone loudness on), the sample peak just
    // under full scale at 0. A level that differs from the last block's glides to it over this
    // block instead of stepping. What comes out is `latency` frames behind what goes in.
    void Process(float* frames, size_t count, const Chain* chain, float volume, float loudnessGain);

    // Full scale 1.0 to 16-bit samples, rounded; anything beyond full scale saturates at the
    // nearest end of the range (never wraps), and a sample that is not a number becomes 0.
    static void ToPcm16(const float* samples, int16_t* out, size_t count);

private:
    float appliedVolume = 1.0f;
    PeakLimiter limiter;
};
