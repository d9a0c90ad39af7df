#include "platform/dsp/OutputStage.h"

#include <algorithm>
#include <cmath>

void OutputStage::Process(float* frames, size_t count, const Chain* chain, float volume) {
    if (chain != nullptr) {
        for (AudioEffect* effect : *chain) {
            effect->Process(frames, count);
        }
    }
    if (count == 0) {
        return;
    }
    const float step = (volume - appliedVolume) / static_cast<float>(count);
    for (size_t i = 0; i < count; ++i) {
        const float gain =
            volume == appliedVolume ? volume : appliedVolume + step * static_cast<float>(i + 1);
        frames[i * 2] *= gain;
        frames[i * 2 + 1] *= gain;
    }
    appliedVolume = volume;
}

void OutputStage::ToPcm16(const float* samples, int16_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const long sample = std::lrint(samples[i] * 32768.0f);
        out[i] = static_cast<int16_t>(std::clamp(sample, -32768L, 32767L));
    }
}
