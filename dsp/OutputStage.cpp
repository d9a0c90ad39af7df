#include "dsp/OutputStage.h"

#include <algorithm>
#include <cmath>

void OutputStage::Process(float* frames, size_t count, const Chain* chain, float volume,
                          float loudnessGain) {
    if (chain != nullptr) {
        for (AudioEffect* effect : *chain) {
            effect->Process(frames, count);
        }
    }
    if (count == 0) {
        return;
    }
    limiter.UseTruePeak(loudnessGain > 0.0f);
    const float level = volume * (loudnessGain > 0.0f ? loudnessGain : 1.0f);
    const float step = (level - appliedVolume) / static_cast<float>(count);
    for (size_t i = 0; i < count; ++i) {
        const float gain = appliedVolume + step * static_cast<float>(i + 1);
        frames[i * 2] *= gain;
        frames[i * 2 + 1] *= gain;
    }
    appliedVolume = level;
    limiter.Process(frames, count);
}

void OutputStage::ToPcm16(const float* samples, int16_t* out, size_t count) {
    constexpr float top = 32767.0f / 32768.0f;
    // Added and taken away again, it leaves a value of at most 2^22 rounded to the nearest
    // whole number, ties to even, as lrint does; unlike lrint, the compiler vectorises it.
    constexpr float rounder = 12582912.0f; // 1.5 x 2^23
    for (size_t i = 0; i < count; ++i) {
        // A sample that is not a number is the only one unequal to itself; it becomes 0.
        const float sample = samples[i] == samples[i] ? samples[i] : 0.0f;
        // Clamped before the conversion: an infinity would come out with the wrong sign. Written
        // as selects, which vectorise, where std::clamp's references don't.
        const float low = sample < -1.0f ? -1.0f : sample;
        const float clamped = top < low ? top : low;
        out[i] =
            static_cast<int16_t>(static_cast<int32_t>((clamped * 32768.0f + rounder) - rounder));
    }
}
