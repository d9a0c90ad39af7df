#include "platform/dsp/ChorusEffect.h"

#include <cmath>
#include <numbers>

namespace {
constexpr float antiDenormal = 1e-18f;

constexpr double Inverse(double factorial) {
    return 1.0 / factorial;
}

// The sine and cosine of `turns` whole turns (0 to 1) to within a few units in the last place
// of a double, so that the sweep, which is a float, comes out as std::sin's but for a rare last
// bit; std::sin twice a frame was most of the chorus's time. The turn is reduced to within an
// eighth of a quarter, where the Taylor series, to the 17th power, converge far below a double's
// precision.
void SinCosTurns(double turns, double& sine, double& cosine) {
    const int quarter = static_cast<int>(turns * 4.0 + 0.5);
    const double y = (turns - quarter * 0.25) * (2.0 * std::numbers::pi);
    const double y2 = y * y;
    const double s =
        y + y * y2 *
                (-Inverse(6.0) +
                 y2 * (Inverse(120.0) +
                       y2 * (-Inverse(5040.0) +
                             y2 * (Inverse(362880.0) +
                                   y2 * (-Inverse(39916800.0) +
                                         y2 * (Inverse(6227020800.0) +
                                               y2 * (-Inverse(1307674368000.0) +
                                                     y2 * Inverse(355687428096000.0))))))));
    const double c =
        1.0 + y2 * (-Inverse(2.0) +
                    y2 * (Inverse(24.0) +
                          y2 * (-Inverse(720.0) +
                                y2 * (Inverse(40320.0) +
                                      y2 * (-Inverse(3628800.0) +
                                            y2 * (Inverse(479001600.0) +
                                                  y2 * (-Inverse(87178291200.0) +
                                                        y2 * Inverse(20922789888000.0))))))));
    switch (quarter % 4) {
    case 0:
        sine = s;
        cosine = c;
        break;
    case 1:
        sine = c;
        cosine = -s;
        break;
    case 2:
        sine = -s;
        cosine = -c;
        break;
    default:
        sine = -c;
        cosine = s;
        break;
    }
}
} // namespace

ChorusEffect::ChorusEffect() : line(lineFrames * 2, 0.0f) {}

void ChorusEffect::Process(float* frames, size_t count) {
    const float centre = delayMs * sampleRate / 1000.0f;
    const double step = sweepHz / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        const float fade = NextFade();
        const float wet = fade * wetMix;
        // The right side's sweep is a quarter turn ahead: its sine is the left's cosine.
        double sines[2];
        SinCosTurns(phase, sines[0], sines[1]);
        for (size_t c = 0; c < 2; ++c) {
            const auto sweep = static_cast<float>(sines[c]);
            const float delay = centre * (1.0f + depth * sweep);
            // Linear interpolation between the two frames around the fractional delay.
            const float back =
                static_cast<float>(position) + static_cast<float>(lineFrames) - delay;
            const auto whole = static_cast<size_t>(back);
            const float fraction = back - static_cast<float>(whole);
            const float a = line[(whole % lineFrames) * 2 + c];
            const float b = line[((whole + 1) % lineFrames) * 2 + c];
            const float delayed = a + fraction * (b - a);
            float& sample = frames[i * 2 + c];
            line[position * 2 + c] = fade * sample + feedback * delayed + antiDenormal;
            sample = (1.0f - wet) * sample + wet * delayed;
        }
        if (++position == lineFrames) {
            position = 0;
        }
        phase += step;
        if (phase >= 1.0) {
            phase -= 1.0;
        }
    }
}
