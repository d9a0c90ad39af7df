// The look-ahead limiter on known signals: what is under its ceiling comes out bit for bit,
// only later; a peak above it is met by a gain that glides, never steps, and nothing passes
// the ceiling.
#include "dsp/PeakLimiter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr size_t kFrames = 44100;
constexpr size_t kLatency = PeakLimiter::latency;

// A 220 Hz tone at `level`, with `burst` times that level over frames 20000 to 20999.
std::vector<float> Tone(float level, float burst) {
    std::vector<float> frames(kFrames * 2);
    for (size_t f = 0; f < kFrames; ++f) {
        const float gain = f >= 20000 && f < 21000 ? burst : 1.0f;
        const auto s = static_cast<float>(level * gain * std::sin(2 * M_PI * 220 * f / 44100.0));
        frames[f * 2] = s;
        frames[f * 2 + 1] = -s;
    }
    return frames;
}

TEST(PeakLimiter, passesWhatIsUnderTheCeilingBitForBitAndGlidesOverAPeak) {
    const struct {
        const char* what;
        bool truePeak;
        float level, burst;
        bool limits;
    } cases[] = {
        {"sample peak, 0.96 tone", false, 0.96f, 1.0f, false},
        {"true peak, 0.83 tone", true, 0.83f, 1.0f, false},
        {"sample peak, 0.5 tone, burst to 1.5", false, 0.5f, 3.0f, true},
        {"true peak, 0.5 tone, burst to 2.0", true, 0.5f, 4.0f, true},
    };
    for (const auto& c : cases) {
        const std::vector<float> in = Tone(c.level, c.burst);
        std::vector<float> out = in;
        PeakLimiter limiter;
        limiter.UseTruePeak(c.truePeak);
        // In uneven blocks, as a device asks for them.
        for (size_t at = 0, n = 1; at < kFrames; at += n, n = n * 3 % 1000 + 1) {
            limiter.Process(out.data() + at * 2, std::min(n, kFrames - at));
        }
        const float ceiling = c.truePeak ? PeakLimiter::truePeakCeiling : PeakLimiter::ceiling;
        size_t changed = 0;
        double steepest = 0.0;
        double previousGain = 1.0;
        size_t previousFrame = kLatency;
        float peak = 0.0f;
        for (size_t f = kLatency; f < kFrames; ++f) {
            const float x = in[(f - kLatency) * 2];
            const float y = out[f * 2];
            changed += y != x || out[f * 2 + 1] != in[(f - kLatency) * 2 + 1] ? 1 : 0;
            peak = std::max(peak, std::fabs(y));
            if (std::fabs(x) > 0.05f) {
                const double gain = y / x;
                steepest = std::max(steepest, std::fabs(gain - previousGain) /
                                                  static_cast<double>(f - previousFrame));
                previousGain = gain;
                previousFrame = f;
            }
        }
        std::printf("%s: %zu frames changed, steepest gain change %.5f a frame, peak %.4f\n",
                    c.what, changed, steepest, peak);
        EXPECT_EQ(changed > 0, c.limits) << c.what;
        EXPECT_LE(peak, ceiling) << c.what;
        // From 1 to a third over the 4 ms look-ahead is 0.004 a frame; a step would be 0.6.
        EXPECT_LT(steepest, 0.01) << c.what;
    }
}

} // namespace
