// Chorus with the classic DirectX 8 defaults: wet/dry 50 %, depth 10 %, feedback 25 %,
// a 1.1 Hz sine sweeping a 16 ms delay by plus or minus the depth, the right channel's
// sweep 90 degrees ahead of the left.
#pragma once

#include "dsp/AudioEffect.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class ChorusEffect final : public AudioEffect {
public:
    ChorusEffect();

    void Process(float* frames, size_t count) override;

private:
    static constexpr float wetMix = 0.5f;
    static constexpr float depth = 0.10f;
    static constexpr float feedback = 0.25f;
    static constexpr double sweepHz = 1.1;
    static constexpr float delayMs = 16.0f;
    static constexpr size_t lineFrames = 1024; // longer than the deepest delay, 17.6 ms

    // Frames whose sweep is worked out together.
    static constexpr size_t piece = 256;

    std::vector<float> line; // stereo frames
    size_t position = 0;
    double phase = 0.0; // of the left sweep, in turns
    // The sine and cosine of 0, 1, 2... steps of the sweep.
    std::array<double, piece> stepSines{};
    std::array<double, piece> stepCosines{};
    // The piece's fades, and per frame and side its delays (then the delayed samples) and where
    // they fall in the line.
    std::array<float, piece> fades{};
    std::array<float, 2 * piece> delays{};
    std::array<int32_t, 2 * piece> wholes{};
    std::array<float, 2 * piece> fractions{};
};
