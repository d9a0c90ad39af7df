#include "platform/dsp/PeakLimiter.h"

#include "platform/dsp/AudioEffect.h"

#include <algorithm>
#include <cmath>

namespace {
// Per-frame share of the way back to full gain: a time constant of 150 ms. The gains are kept
// in double precision: in single precision these small steps vanish near 1.
const double kRelease = 1.0 - std::exp(-1.0 / (0.150 * AudioEffect::sampleRate));
// Above this the recovery is finished: the gain goes to 1 and clean frames pass untouched.
constexpr double kUnity = 0.9999;
constexpr size_t kPhases = 3;
constexpr size_t kTaps = 2 * PeakLimiter::reach;

// Windowed-sinc interpolation at a quarter, a half and three quarters of the way between two
// frames, from six frames on either side (48 taps over the four phases, the length of the
// reference meters' filter). It is an estimate: a peak between the quarter points can still
// read up to 0.7 dB low for a tone near the top of the band, much less for music, whose
// energy sits lower; the half dB under the promised -1 dBTP leaves room for it.
struct Interpolator {
    float coefficients[kPhases][kTaps];
    // The largest sum of one phase's taps' sizes, rounded up.
    float reach = 0.0f;

    Interpolator() {
        for (size_t phase = 0; phase < kPhases; ++phase) {
            const double at = static_cast<double>(phase + 1) / 4.0;
            double sum = 0.0;
            for (size_t t = 0; t < kTaps; ++t) {
                // Tap t is the frame t - reach + 1 frames from the one before the point.
                const double x = at - (static_cast<double>(t) - PeakLimiter::reach + 1.0);
                const double sinc = std::sin(M_PI * x) / (M_PI * x);
                const double hann = 0.5 + 0.5 * std::cos(M_PI * x / PeakLimiter::reach);
                coefficients[phase][t] = static_cast<float>(sinc * hann);
                sum += sinc * hann;
            }
            // Each phase passes a steady level unchanged.
            float size = 0.0f;
            for (float& c : coefficients[phase]) {
                c = static_cast<float>(c / sum);
                size += std::fabs(c);
            }
            reach = std::max(reach, size * 1.001f);
        }
    }
};

const Interpolator& Quarters() {
    static const Interpolator interpolator;
    return interpolator;
}
} // namespace

void PeakLimiter::Reset() {
    for (auto& side : history) {
        side.fill(0.0f);
    }
    historyAt = 0;
    betweenBefore = 0.0f;
    minFront = 0;
    minCount = 0;
    frameIndex = 0;
    released = 1.0;
    ramp.fill(1.0);
    rampAt = 0;
    rampSum = static_cast<double>(window);
    rampReducing = 0;
    delay.fill(0.0f);
    delayAt = 0;
}

float PeakLimiter::Peak() {
    // The frame under study is `reach` frames back, at reach - 1 in the window.
    const float* left = history[0].data() + historyAt;
    const float* right = history[1].data() + historyAt;
    const float sample = std::max(std::fabs(left[reach - 1]), std::fabs(right[reach - 1]));
    if (!truePeak) {
        betweenBefore = 0.0f;
        return sample;
    }
    // No phase's taps add up to more than `reach` times the loudest frame they cover: while
    // that stays under the ceiling the interpolation can't find a peak above it.
    float around = 0.0f;
    for (size_t t = 0; t < kTaps; ++t) {
        around = std::max({around, std::fabs(left[t]), std::fabs(right[t])});
    }
    if (around * Quarters().reach <= truePeakCeiling) {
        betweenBefore = 0.0f;
        return sample;
    }
    // Between the frame under study and the next one.
    float between = 0.0f;
    for (const auto& phase : Quarters().coefficients) {
        float l = 0.0f;
        float r = 0.0f;
        for (size_t t = 0; t < kTaps; ++t) {
            l += phase[t] * left[t];
            r += phase[t] * right[t];
        }
        between = std::max({between, std::fabs(l), std::fabs(r)});
    }
    // A peak between two frames asks for its reduction on both of them.
    const float peak = std::max({sample, between, betweenBefore});
    betweenBefore = between;
    return peak;
}

double PeakLimiter::NextGain(double needed) {
    // The minimum over the newest `window` needed gains; the oldest leaves first, so the
    // queue never holds more than `window`.
    if (minCount > 0 && minIndex[minFront] + window <= frameIndex) {
        minFront = (minFront + 1) % window;
        --minCount;
    }
    while (minCount > 0 && minValue[(minFront + minCount - 1) % window] >= needed) {
        --minCount;
    }
    minValue[(minFront + minCount) % window] = needed;
    minIndex[(minFront + minCount) % window] = frameIndex;
    ++minCount;
    ++frameIndex;
    const double held = minValue[minFront];
    if (held < released) {
        released = held;
    } else if (released < 1.0) {
        released += (held - released) * kRelease;
        if (released > kUnity) {
            released = 1.0;
        }
    }
    // Averaged over the look-ahead, a drop becomes a ramp that ends at the peak, and since
    // every released gain it averages is at most the peak's, so is the average.
    rampReducing += (released < 1.0 ? 1 : 0) - (ramp[rampAt] < 1.0 ? 1 : 0);
    rampSum += released - ramp[rampAt];
    ramp[rampAt] = released;
    rampAt = (rampAt + 1) % window;
    if (rampReducing == 0) {
        // Exactly 1 again, whatever rounding the running sum gathered.
        rampSum = static_cast<double>(window);
        return 1.0;
    }
    return std::min(1.0, rampSum / static_cast<double>(window));
}

void PeakLimiter::Process(float* frames, size_t count) {
    const float limit = truePeak ? truePeakCeiling : ceiling;
    for (size_t i = 0; i < count; ++i) {
        float& left = frames[i * 2];
        float& right = frames[i * 2 + 1];
        history[0][historyAt] = history[0][historyAt + taps] = left;
        history[1][historyAt] = history[1][historyAt + taps] = right;
        historyAt = (historyAt + 1) % taps;
        const float peak = Peak();
        // NaN compares false everywhere: such a frame asks for no reduction of its own.
        const double needed = peak > limit ? static_cast<double>(limit / peak) : 1.0;
        const double gain = NextGain(needed);
        const float outLeft = delay[delayAt];
        const float outRight = delay[delayAt + 1];
        delay[delayAt] = left;
        delay[delayAt + 1] = right;
        delayAt = (delayAt + 2) % delay.size();
        left = outLeft;
        right = outRight;
        if (gain < 1.0) {
            left *= static_cast<float>(gain);
            right *= static_cast<float>(gain);
        }
    }
}
