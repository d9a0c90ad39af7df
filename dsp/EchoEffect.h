// Echo with the classic DirectX 8 defaults: wet/dry 50 %, feedback 50 %, left and right delay
// 500 ms, no pan delay. An impulse comes out at half level at once, again at half level
// 500 ms later, and then halving every 500 ms.
#pragma once

#include "dsp/AudioEffect.h"

#include <array>
#include <cstddef>
#include <vector>

class EchoEffect final : public AudioEffect {
public:
    EchoEffect();

    void Process(float* frames, size_t count) override;

private:
    static constexpr float wetMix = 0.5f;
    static constexpr float feedback = 0.5f;
    static constexpr size_t delayFrames = sampleRate / 2;

    // Frames processed together.
    static constexpr size_t piece = 256;

    std::vector<float> line; // stereo frames, one delay long
    size_t position = 0;
    std::array<float, piece> fades{};
};
