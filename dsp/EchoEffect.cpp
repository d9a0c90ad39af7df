#include "dsp/EchoEffect.h"

#include <algorithm>

namespace {
// Keeps the feedback loop out of denormal numbers while the input is silent.
constexpr float antiDenormal = 1e-18f;
} // namespace

EchoEffect::EchoEffect() : line(delayFrames * 2, 0.0f) {}

void EchoEffect::Process(float* frames, size_t count) {
    for (size_t done = 0; done < count;) {
        // A run ends where the line wraps round, so that its loop has no branch and vectorises;
        // the fade is 1 once it is over.
        const size_t run = std::min({count - done, delayFrames - position, piece});
        for (size_t j = 0; j < run; ++j) {
            fades[j] = NextFade();
        }
        float* io = frames + done * 2;
        float* slots = line.data() + position * 2;
        for (size_t k = 0; k < run * 2; ++k) {
            const float fade = fades[k / 2];
            const float wet = fade * wetMix;
            const float delayed = slots[k];
            slots[k] = fade * io[k] + feedback * delayed + antiDenormal;
            io[k] = (1.0f - wet) * io[k] + wet * delayed;
        }
        position = position + run == delayFrames ? 0 : position + run;
        done += run;
    }
}
