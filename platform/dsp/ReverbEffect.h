// Reverb in the manner of the classic studio reverb, with its DirectX 8 defaults: input gain
// 0 dB, reverb mix 0 dB, reverb time 1000 ms, high-frequency reverb-time ratio 0.001.
//
// Per channel, eight parallel feedback combs (their gains set so that each loses 60 dB in
// the reverb time) feed four series all-passes for diffusion; the right channel's lines are
// slightly longer for width. A one-pole low-pass in each comb loop shortens the treble's
// decay; a ratio as small as the default would need a pole at 0 Hz, so the damping is capped
// and low frequencies keep the full reverb time. The tail is added to the dry signal.
#pragma once

#include "platform/dsp/AudioEffect.h"

#include <array>
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

    float RenderChannel(Channel& channel, float input);

    std::array<Channel, 2> channels;
};
