#include "dsp/PeakLimiter.h"

#include "dsp/AudioEffect.h"

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

// The position in a window of `count` entries after `at`.
size_t Wrap(size_t at, size_t count) {
    return at >= count ? at - count : at;
}

// std::max's choice: a NaN never wins.
float Larger(float a, float b) {
    return a < b ? b : a;
}
} // namespace

void PeakLimiter::Reset() {
    for (auto& side : sides) {
        side.fill(0.0f);
    }
    betweenBefore = 0.0f;
    minFront = 0;
    minCount = 0;
    frameIndex = 0;
    released = 1.0;
    ramp.fill(1.0);
    rampAt = 0;
    rampSum = static_cast<double>(window);
    rampReducing = 0;
}

void PeakLimiter::FindLevels(size_t count) {
    // Frame j of the piece is at latency + j; its window runs `taps` frames up to it, and the
    // frame under study is the one `reach` frames back.
    const float* left = sides[0].data() + latency - (taps - 1);
    const float* right = sides[1].data() + latency - (taps - 1);
    for (size_t j = 0; j < count; ++j) {
        samplePeaks[j] = std::max(std::fabs(left[j + reach - 1]), std::fabs(right[j + reach - 1]));
    }
    if (!truePeak) {
        std::fill_n(near.begin(), count, false);
        return;
    }
    for (size_t k = 0; k < count + taps - 1; ++k) {
        sideLevels[k] = Larger(Larger(0.0f, std::fabs(left[k])), std::fabs(right[k]));
    }
    std::fill_n(around.begin(), count, 0.0f);
    for (size_t t = 0; t < taps; ++t) {
        for (size_t j = 0; j < count; ++j) {
            around[j] = Larger(around[j], sideLevels[j + t]);
        }
    }
    // No phase's taps add up to more than `reach` times the loudest frame they cover: while
    // that stays under the ceiling the interpolation can't find a peak above it.
    const Interpolator& quarters = Quarters();
    bool anyNear = false;
    for (size_t j = 0; j < count; ++j) {
        near[j] = !(around[j] * quarters.reach <= truePeakCeiling);
        anyNear = anyNear || near[j];
    }
    if (!anyNear) {
        return;
    }
    // Between the frame under study and the next one, each sum in the order of its taps.
    std::fill_n(between.begin(), count, 0.0f);
    for (const auto& phase : quarters.coefficients) {
        float l[piece];
        float r[piece];
        std::fill_n(l, count, 0.0f);
        std::fill_n(r, count, 0.0f);
        for (size_t t = 0; t < taps; ++t) {
            const float c = phase[t];
            for (size_t j = 0; j < count; ++j) {
                l[j] += c * left[j + t];
                r[j] += c * right[j + t];
            }
        }
        for (size_t j = 0; j < count; ++j) {
            between[j] = Larger(Larger(between[j], std::fabs(l[j])), std::fabs(r[j]));
        }
    }
}

double PeakLimiter::NextGain(double needed) {
    // The minimum over the newest `window` needed gains; the oldest leaves first, so the
    // queue never holds more than `window`.
    if (minCount > 0 && minIndex[minFront] + window <= frameIndex) {
        minFront = Wrap(minFront + 1, window);
        --minCount;
    }
    while (minCount > 0 && minValue[Wrap(minFront + minCount - 1, window)] >= needed) {
        --minCount;
    }
    const size_t back = Wrap(minFront + minCount, window);
    minValue[back] = needed;
    minIndex[back] = frameIndex;
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
    rampAt = Wrap(rampAt + 1, window);
    if (rampReducing == 0) {
        // Exactly 1 again, whatever rounding the running sum gathered.
        rampSum = static_cast<double>(window);
        return 1.0;
    }
    return std::min(1.0, rampSum / static_cast<double>(window));
}

void PeakLimiter::Process(float* frames, size_t count) {
    const float limit = truePeak ? truePeakCeiling : ceiling;
    for (size_t done = 0; done < count;) {
        const size_t n = std::min(piece, count - done);
        float* io = frames + done * 2;
        for (size_t j = 0; j < n; ++j) {
            sides[0][latency + j] = io[j * 2];
            sides[1][latency + j] = io[j * 2 + 1];
        }
        FindLevels(n);
        for (size_t j = 0; j < n; ++j) {
            float peak = samplePeaks[j];
            if (near[j]) {
                // A peak between two frames asks for its reduction on both of them.
                peak = std::max({peak, between[j], betweenBefore});
                betweenBefore = between[j];
            } else {
                betweenBefore = 0.0f;
            }
            // NaN compares false everywhere: such a frame asks for no reduction of its own.
            if (!(peak > limit) && Resting()) {
                // What NextGain would do with a need of 1 at rest, without its queue and sums.
                minIndex[minFront] = frameIndex++;
                rampAt = Wrap(rampAt + 1, window);
                gains[j] = 1.0f;
                continue;
            }
            const double needed = peak > limit ? static_cast<double>(limit / peak) : 1.0;
            const double gain = NextGain(needed);
            gains[j] = gain < 1.0 ? static_cast<float>(gain) : 1.0f;
        }
        // What comes out went in `latency` frames before.
        for (size_t j = 0; j < n; ++j) {
            io[j * 2] = sides[0][j] * gains[j];
            io[j * 2 + 1] = sides[1][j] * gains[j];
        }
        for (auto& side : sides) {
            std::copy(side.begin() + static_cast<ptrdiff_t>(n),
                      side.begin() + static_cast<ptrdiff_t>(n + latency), side.begin());
        }
        done += n;
    }
}
