#include "platform/dsp/PeakLimiter.h"

#include "platform/dsp/AudioEffect.h"

#include <algorithm>
#include <cmath>

namespace {
// Per-frame share of the way back to full gain: a time constant of 150 ms. The gain is kept
// in double precision: in single precision these small steps vanish near 1.
const double kRelease = 1.0 - std::exp(-1.0 / (0.150 * AudioEffect::sampleRate));
// Above this the recovery is finished: the gain snaps to 1 and clean frames pass untouched.
constexpr double kUnity = 0.9999;
} // namespace

void PeakLimiter::Process(float* frames, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        float& left = frames[i * 2];
        float& right = frames[i * 2 + 1];
        const float peak = std::max(std::fabs(left), std::fabs(right));
        // NaN compares false everywhere: such a frame asks for no reduction of its own.
        const double needed = peak > ceiling ? static_cast<double>(ceiling / peak) : 1.0;
        if (needed < gain) {
            gain = needed;
        } else if (gain < 1.0) {
            gain += (needed - gain) * kRelease;
            if (gain > kUnity) {
                gain = 1.0;
            }
        }
        if (gain < 1.0) {
            left *= static_cast<float>(gain);
            right *= static_cast<float>(gain);
        }
    }
}
