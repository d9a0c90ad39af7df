// The preview's way to the device without a device: 16-bit PCM of a procedure stream's rate and
// channel count becomes stereo at the device rate through the same converter, then passes the
// same effects, volume and 16-bit conversion (OutputStage) as a playing stream does. The
// ringtone renderer uses it so that the file it makes is what the preview played.
//
// One per rendering, owned by the caller; any one thread. The effects start fresh, as on a
// stream that has just been made, and run in the order the preview adds them: chorus, echo,
// reverb. The stage's look-ahead delay is taken out: the first frame that comes out is the
// first that went in, and Finish lets the last ones through. ProcessEffects and FinishEffects
// stop before the volume, for a caller that levels the effects' output itself (OfflineLevel);
// one rendering uses either pair, not both.
#pragma once

#include "dsp/EffectSet.h"

#include <cstdint>
#include <memory>
#include <vector>

class OfflineOutput {
public:
    // The rate of what comes out, always stereo.
    static constexpr int rate = 44100;

    struct Settings {
        uint32_t frequency = 0;
        uint32_t channels = 0;
        EffectSet effects;
    };

    // Null when the rate or channel count can't be converted.
    static std::unique_ptr<OfflineOutput> Create(const Settings& settings);
    virtual ~OfflineOutput() = default;

    // Appends to out what frames interleaved frames of the source sound like (stereo 16-bit).
    // False on a conversion error.
    virtual bool Process(const int16_t* pcm, size_t frames, std::vector<int16_t>& out) = 0;
    // Appends what the converter and the stage still hold back at the end of the sound.
    virtual bool Finish(std::vector<int16_t>& out) = 0;

    // Appends the effects' output for frames interleaved frames of the source: stereo float,
    // before the volume. False on a conversion error.
    virtual bool ProcessEffects(const int16_t* pcm, size_t frames, std::vector<float>& out) = 0;
    // Appends what the converter still holds back, then `OutputStage::latency` frames of the
    // effects' tail, which the limiter looks at ahead of the last frames of the sound.
    virtual bool FinishEffects(std::vector<float>& out) = 0;

protected:
    OfflineOutput() = default;
};
