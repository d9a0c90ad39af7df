#include "dsp/ChorusEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr float antiDenormal = 1e-18f;
} // namespace

ChorusEffect::ChorusEffect() : line(lineFrames * 2, 0.0f) {
    for (size_t j = 0; j < piece; ++j) {
        const double turn = 2.0 * std::numbers::pi * sweepHz / sampleRate * static_cast<double>(j);
        stepSines[j] = std::sin(turn);
        stepCosines[j] = std::cos(turn);
    }
}

void ChorusEffect::Process(float* frames, size_t count) {
    const float centre = delayMs * sampleRate / 1000.0f;
    const double step = sweepHz / sampleRate;
    for (size_t done = 0; done < count;) {
        // A piece ends where the line wraps round.
        const size_t n = std::min({piece, count - done, lineFrames - position});
        // The sweep from the piece's first frame on, turned on by each frame's step: the
        // frames' sines come side by side instead of each waiting for the one before.
        // std::sin twice a frame was most of the chorus's time; once a piece it is not.
        const double startSine = std::sin(2.0 * std::numbers::pi * phase);
        const double startCosine = std::cos(2.0 * std::numbers::pi * phase);
        for (size_t j = 0; j < n; ++j) {
            phase += step;
            if (phase >= 1.0) {
                phase -= 1.0;
            }
        }
        for (size_t j = 0; j < n; ++j) {
            // The right side's sweep is a quarter turn ahead: its sine is the left's cosine.
            const double sine = startSine * stepCosines[j] + startCosine * stepSines[j];
            const double cosine = startCosine * stepCosines[j] - startSine * stepSines[j];
            delays[j * 2] = centre * (1.0f + depth * static_cast<float>(sine));
            delays[j * 2 + 1] = centre * (1.0f + depth * static_cast<float>(cosine));
        }
        float* io = frames + done * 2;
        // Every read reaches back further than a piece, so a piece reads only what earlier
        // pieces wrote: the reads can come first, then the writes, each loop over all of it.
        for (size_t j = 0; j < n; ++j) {
            // Linear interpolation between the two frames around the fractional delay. The
            // position is below 2^24, so it converts as a signed number, which vectorises.
            const float at = static_cast<float>(static_cast<int32_t>(position + j)) +
                             static_cast<float>(lineFrames);
            for (size_t c = 0; c < 2; ++c) {
                const float back = at - delays[j * 2 + c];
                const auto whole = static_cast<int32_t>(back);
                fractions[j * 2 + c] = back - static_cast<float>(whole);
                wholes[j * 2 + c] = whole;
            }
        }
        for (size_t k = 0; k < n * 2; ++k) {
            const auto whole = static_cast<size_t>(wholes[k]);
            const size_t c = k % 2;
            const float a = line[(whole % lineFrames) * 2 + c];
            const float b = line[((whole + 1) % lineFrames) * 2 + c];
            delays[k] = a + fractions[k] * (b - a);
        }
        for (size_t j = 0; j < n; ++j) {
            fades[j] = NextFade();
        }
        float* written = line.data() + position * 2;
        for (size_t j = 0; j < n; ++j) {
            const float fade = fades[j];
            const float wet = fade * wetMix;
            for (size_t c = 0; c < 2; ++c) {
                const size_t k = j * 2 + c;
                const float delayed = delays[k];
                const float sample = io[k];
                written[k] = fade * sample + feedback * delayed + antiDenormal;
                io[k] = (1.0f - wet) * sample + wet * delayed;
            }
        }
        position = position + n == lineFrames ? 0 : position + n;
        done += n;
    }
}
