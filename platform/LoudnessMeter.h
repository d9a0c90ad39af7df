// Measures how loud a sound is as EBU R128 defines it: the integrated loudness in LUFS (gated,
// K-weighted) and, when asked for, the true peak. The ringtone's loudness (the volume ruler's
// tooltip, phone loudness) and the tests' checks of decoded files read it.
//
// One per measurement, owned by the caller; any one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class LoudnessMeter {
public:
    // Null for a rate or channel count the meter can't take. truePeak costs a resampler.
    static std::unique_ptr<LoudnessMeter> Create(uint32_t rate, uint32_t channels, bool truePeak);
    virtual ~LoudnessMeter() = default;

    // Takes frames interleaved 16-bit frames. False when the meter fails.
    virtual bool Add(const int16_t* pcm, size_t frames) = 0;
    // Takes frames interleaved float frames, full scale 1.0. False when the meter fails.
    virtual bool Add(const float* samples, size_t frames) = 0;
    // Integrated loudness of all frames so far, in LUFS; -infinity for silence (or nothing).
    virtual double Integrated() const = 0;
    // Largest true peak over all channels so far, in dBTP; -infinity when not asked for.
    virtual double TruePeak() const = 0;

protected:
    LoudnessMeter() = default;
};
