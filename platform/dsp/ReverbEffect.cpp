#include "platform/dsp/ReverbEffect.h"

#include <algorithm>
#include <cmath>

namespace {
// Unequal loop lengths in frames at 44100 Hz (25 to 37 ms for the combs), so that the
// combs' echoes seldom coincide.
constexpr std::array<size_t, 8> combFrames = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> allPassFrames = {556, 441, 341, 225};
constexpr size_t stereoSpread = 23;
constexpr float allPassGain = 0.5f;
// Keeps the sum of eight combs near the level of the input.
constexpr float combInputScale = 0.015f * 2.0f;
constexpr float maxDamping = 0.7f;
constexpr float antiDenormal = 1e-18f;

// The gain that makes a loop of the given length lose 60 dB in the given time.
float DecayGain(size_t frames, float seconds) {
    return static_cast<float>(
        std::pow(10.0, -3.0 * static_cast<double>(frames) / (seconds * AudioEffect::sampleRate)));
}
} // namespace

ReverbEffect::ReverbEffect() {
    for (size_t c = 0; c < channels.size(); ++c) {
        const size_t spread = c * stereoSpread;
        for (size_t i = 0; i < combFrames.size(); ++i) {
            Comb& comb = channels[c].combs[i];
            const size_t frames = combFrames[i] + spread;
            comb.line.assign(frames, 0.0f);
            comb.gain = DecayGain(frames, reverbSeconds);
            // Match the loop's treble gain to the shorter treble reverb time at Nyquist.
            const float ratio = DecayGain(frames, reverbSeconds * highFrequencyRatio) / comb.gain;
            comb.damping = std::min(maxDamping, (1.0f - ratio) / (1.0f + ratio));
        }
        for (size_t i = 0; i < allPassFrames.size(); ++i) {
            channels[c].allPasses[i].line.assign(allPassFrames[i] + spread, 0.0f);
        }
    }
}

float ReverbEffect::RenderChannel(Channel& channel, float input) {
    const float feed = input * inputGain * combInputScale + antiDenormal;
    float sum = 0.0f;
    for (Comb& comb : channel.combs) {
        const float delayed = comb.line[comb.position];
        comb.lowpass = delayed * (1.0f - comb.damping) + comb.lowpass * comb.damping;
        comb.line[comb.position] = feed + comb.gain * comb.lowpass;
        if (++comb.position == comb.line.size()) {
            comb.position = 0;
        }
        sum += delayed;
    }
    for (AllPass& pass : channel.allPasses) {
        const float delayed = pass.line[pass.position];
        pass.line[pass.position] = sum + delayed * allPassGain;
        sum = delayed - sum;
        if (++pass.position == pass.line.size()) {
            pass.position = 0;
        }
    }
    return sum;
}

void ReverbEffect::Process(float* frames, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const float fade = NextFade();
        for (size_t c = 0; c < 2; ++c) {
            float& sample = frames[i * 2 + c];
            sample += reverbMix * RenderChannel(channels[c], fade * sample);
        }
    }
}
