// The part of the output stage after the effects, for a sound rendered offline: the volume with
// phone loudness's gain, the limiter and the conversion to 16 bits, with the limiter's
// look-ahead delay taken out (the first frame that comes out is the first that went in). The
// effects' output of a whole ringtone is kept once and levelled by a fresh one of these for
// every gain that phone loudness tries, without running the effects again.
//
// One per pass over a sound, owned by the caller; any one thread.
#pragma once

#include "dsp/EffectSet.h"
#include "dsp/OutputStage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class OfflineLevel {
public:
    // Starts at the set's volume and loudness gain, as a stream just made does.
    explicit OfflineLevel(const EffectSet& effects);

    // Levels count interleaved stereo frames of the effects' output in place and appends to
    // out, as 16 bits, those that have come through the look-ahead. To let the last frames of
    // a sound through, follow them with `OutputStage::latency` frames more.
    void Process(float* frames, size_t count, std::vector<int16_t>& out);

private:
    OutputStage stage;
    float volume = 1.0f;
    float loudnessGain = 0.0f;
    // Frames still to drop: the stage's first frames are its empty delay line, not sound.
    size_t delayed = OutputStage::latency;
};
