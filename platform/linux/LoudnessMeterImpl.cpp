// LoudnessMeter over libebur128.
#include "platform/LoudnessMeter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr double kNothing = -std::numeric_limits<double>::infinity();

class Ebur128Meter final : public LoudnessMeter {
public:
    Ebur128Meter(ebur128_state* meterState, uint32_t channelCount)
        : state(meterState), channels(channelCount) {}
    ~Ebur128Meter() override { ebur128_destroy(&state); }
    Ebur128Meter(const Ebur128Meter&) = delete;
    Ebur128Meter& operator=(const Ebur128Meter&) = delete;

    bool Add(const int16_t* pcm, size_t frames) override {
        return ebur128_add_frames_short(state, pcm, frames) == EBUR128_SUCCESS;
    }

    bool Add(const float* samples, size_t frames) override {
        return ebur128_add_frames_float(state, samples, frames) == EBUR128_SUCCESS;
    }

    double Integrated() const override {
        double loudness = kNothing;
        return ebur128_loudness_global(state, &loudness) == EBUR128_SUCCESS ? loudness : kNothing;
    }

    double TruePeak() const override {
        double peak = 0.0;
        for (uint32_t c = 0; c < channels; ++c) {
            double one = 0.0;
            if (ebur128_true_peak(state, c, &one) != EBUR128_SUCCESS) {
                return kNothing;
            }
            peak = std::max(peak, one);
        }
        return peak > 0.0 ? 20.0 * std::log10(peak) : kNothing;
    }

private:
    ebur128_state* state;
    uint32_t channels;
};

} // namespace

std::unique_ptr<LoudnessMeter> LoudnessMeter::Create(uint32_t rate, uint32_t channels,
                                                     bool truePeak) {
    if (rate == 0 || channels == 0) {
        return nullptr;
    }
    const int mode = EBUR128_MODE_I | (truePeak ? EBUR128_MODE_TRUE_PEAK : 0);
    ebur128_state* state = ebur128_init(channels, rate, mode);
    if (state == nullptr) {
        return nullptr;
    }
    std::unique_ptr<LoudnessMeter> meter(new (std::nothrow) Ebur128Meter(state, channels));
    if (!meter) {
        ebur128_destroy(&state);
    }
    return meter;
}
