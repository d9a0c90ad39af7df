// Reverb in the manner of the classic studio reverb, with its DirectX 8 defaults: input gain
// 0 dB, reverb mix 0 dB, reverb time 1000 ms, high-frequency reverb-time ratio 0.001.
//
// Per channel, eight parallel feedback combs (their gains set so that each loses 60 dB in
// the reverb time) feed four series all-passes for diffusion; the right channel's lines are
// slightly longer for width. A one-pole low-pass in each comb loop shortens the treble's
// decay; a ratio as small as the default would need a pole at 0 Hz, so the damping is capped
// and low frequencies keep the full reverb time. The tail is added to the dry signal.
#pragma once

#include "dsp/AudioEffect.h"

#include <array>
#include <cstddef>
#include <vector>

class ReverbEffect final : public AudioEffect {
public:
    ReverbEffect();

    void Process(float* frames, size_t count) override;

private:
    static constexpr float inputGain = 1.0f; // 0 dB
    static constexpr float reverbMix = 1.0f; // 0 dB
    static constexpr float reverbSeconds = 1.0f;
    static constexpr float highFrequencyRatio = 0.001f;

    struct Comb {
        std::vector<float> line;
        size_t position = 0;
        float gain = 0.0f;
        float damping = 0.0f;
        float lowpass = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t position = 0;
    };
    struct Channel {
        std::array<Comb, 8> combs;
        std::array<AllPass, 4> allPasses;
    };

    // Frames rendered together: no longer than the shortest line, so that a piece reads only
    // what earlier pieces wrote, and each loop of a piece runs over all sixteen combs at once
    // or over all its frames, both of which the compiler vectorises.
    static constexpr size_t piece = 128;
    static constexpr size_t combCount = 8;

    // Renders the sixteen combs over the piece's n frames of `feeds` (per side) into `sums`.
    void RenderCombs(size_t n);
    // The side's all-passes over its comb sum, in place.
    static void RenderAllPasses(Channel& channel, float* sum, size_t n);

    std::array<Channel, 2> channels;
    std::array<std::array<float, piece>, 2> feeds{};
    std::array<std::array<float, piece>, 2> sums{};
    // What each of the sixteen combs (the left side's eight first) reads and writes over a piece.
    std::array<std::array<float, piece>, 2 * combCount> delayed{};
    std::array<std::array<float, piece>, 2 * combCount> written{};
};
