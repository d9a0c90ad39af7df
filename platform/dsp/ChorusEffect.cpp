#include "platform/dsp/ChorusEffect.h"

#include <cmath>
#include <numbers>

namespace {
constexpr float antiDenormal = 1e-18f;
} // namespace

ChorusEffect::ChorusEffect() : line(lineFrames * 2, 0.0f) {}

void ChorusEffect::Process(float* frames, size_t count) {
    const float centre = delayMs * sampleRate / 1000.0f;
    const double step = sweepHz / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        const float fade = NextFade();
        const float wet = fade * wetMix;
        for (size_t c = 0; c < 2; ++c) {
            const double turns = phase + (c == 1 ? 0.25 : 0.0);
            const auto sweep = static_cast<float>(std::sin(2.0 * std::numbers::pi * turns));
            const float delay = centre * (1.0f + depth * sweep);
            // Linear interpolation between the two frames around the fractional delay.
            const float back =
                static_cast<float>(position) + static_cast<float>(lineFrames) - delay;
            const auto whole = static_cast<size_t>(back);
            const float fraction = back - static_cast<float>(whole);
            const float a = line[(whole % lineFrames) * 2 + c];
            const float b = line[((whole + 1) % lineFrames) * 2 + c];
            const float delayed = a + fraction * (b - a);
            float& sample = frames[i * 2 + c];
            line[position * 2 + c] = fade * sample + feedback * delayed + antiDenormal;
            sample = (1.0f - wet) * sample + wet * delayed;
        }
        if (++position == lineFrames) {
            position = 0;
        }
        phase += step;
        if (phase >= 1.0) {
            phase -= 1.0;
        }
    }
}
