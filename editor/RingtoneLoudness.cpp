#include "editor/RingtoneLoudness.h"

#include "platform/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// Close enough to stop correcting: well inside the half LU the file may miss by.
constexpr double kClose = 0.1;
// More gain than this only lifts noise: a ringtone that quiet is left short of the target.
constexpr double kMostGainDb = 40.0;
// Measurements with the gain: the first, and corrections for what the limiter took off.
constexpr int kTries = 3;

class MeterSink final : public RingtoneSink {
public:
    bool Begin(int32_t channels, int32_t rate) override {
        meter = LoudnessMeter::Create(static_cast<uint32_t>(rate), static_cast<uint32_t>(channels),
                                      false);
        return meter != nullptr;
    }
    bool Write(const int16_t* pcm, size_t frames) override { return meter->Add(pcm, frames); }

    std::unique_ptr<LoudnessMeter> meter;
};

// NaN when the ringtone can't be rendered.
double Integrated(const EditedWave& wave, const RingtoneSound& sound, int32_t seconds) {
    MeterSink sink;
    return RenderRingtoneSound(wave, sound, seconds, sink)
               ? sink.meter->Integrated()
               : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

RingtoneLoudness RingtoneLoudness::Measure(const EditedWave& wave, RingtoneSound& sound,
                                           int32_t maxSeconds) {
    const int32_t seconds =
        maxSeconds > 0 ? std::min(maxSeconds, measuredSeconds) : measuredSeconds;
    RingtoneSound plain = sound;
    plain.effects.phoneLoudness = false;
    RingtoneLoudness result;
    result.lufs = Integrated(wave, plain, seconds);
    result.measured = !std::isnan(result.lufs);
    EffectSet& effects = sound.effects;
    effects.loudnessGainDb = 0.0;
    if (!effects.phoneLoudness || !std::isfinite(result.lufs)) {
        return result;
    }
    double gain = effects.loudnessTarget - result.lufs;
    for (int tries = 0; tries < kTries; ++tries) {
        effects.loudnessGainDb = std::min(gain, kMostGainDb);
        const double reached = Integrated(wave, sound, seconds);
        if (!std::isfinite(reached) || std::fabs(effects.loudnessTarget - reached) <= kClose) {
            break;
        }
        gain += effects.loudnessTarget - reached;
    }
    return result;
}
