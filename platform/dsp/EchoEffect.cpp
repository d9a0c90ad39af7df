#include "platform/dsp/EchoEffect.h"

namespace {
// Keeps the feedback loop out of denormal numbers while the input is silent.
constexpr float antiDenormal = 1e-18f;
} // namespace

EchoEffect::EchoEffect() : line(delayFrames * 2, 0.0f) {}

void EchoEffect::Process(float* frames, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const float fade = NextFade();
        const float wet = fade * wetMix;
        for (size_t c = 0; c < 2; ++c) {
            float& sample = frames[i * 2 + c];
            float& slot = line[position * 2 + c];
            const float delayed = slot;
            slot = fade * sample + feedback * delayed + antiDenormal;
            sample = (1.0f - wet) * sample + wet * delayed;
        }
        if (++position == delayFrames) {
            position = 0;
        }
    }
}
