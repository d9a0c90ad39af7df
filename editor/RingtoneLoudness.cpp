#include "editor/RingtoneLoudness.h"

#include "platform/LoudnessMeter.h"
#include "platform/OfflineOutput.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Close enough to stop correcting: well inside the half LU the file may miss by.
constexpr double kClose = 0.1;
// More gain than this only lifts noise: a ringtone that quiet is left short of the target.
constexpr double kMostGainDb = 40.0;
// Measurements with the gain: the first, and corrections for what the limiter took off.
constexpr int kTries = 3;

// Measures what it is sent.
class MeteringSink final : public RingtoneSink {
public:
    bool Begin(int32_t channels, int32_t rate) override {
        meter = LoudnessMeter::Create(static_cast<uint32_t>(rate), static_cast<uint32_t>(channels),
                                      false);
        return meter != nullptr;
    }
    bool Write(const int16_t* pcm, size_t frames) override {
        if (kept != nullptr) {
            kept->insert(kept->end(), pcm, pcm + frames * 2);
        }
        return meter->Add(pcm, frames);
    }

    std::unique_ptr<LoudnessMeter> meter;
    std::vector<int16_t>* kept = nullptr;
};

// Integrated loudness of the take's first `frames` with these effects' volume, gain and
// limiter; NaN when the meter fails. kept, unless null, gets what was measured.
double Levelled(const RingtoneTake& take, const EffectSet& effects, size_t frames,
                std::vector<int16_t>* kept = nullptr) {
    MeteringSink sink;
    sink.kept = kept;
    return LevelRingtoneTake(take, effects, frames, sink)
               ? sink.meter->Integrated()
               : std::numeric_limits<double>::quiet_NaN();
}

// Integrated loudness of the take's first `frames` at the volume ruler's percentage, before the
// output's limiter, which touches only peaks above -0.3 dBFS; NaN when the meter fails.
double AtVolume(const RingtoneTake& take, int32_t volume, size_t frames) {
    constexpr size_t piece = 4096;
    const std::unique_ptr<LoudnessMeter> meter =
        LoudnessMeter::Create(OfflineOutput::rate, 2, false);
    if (!meter) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // As the engine passes the ruler's value to the audio layer.
    const auto scale = static_cast<float>(volume / 100.0);
    std::vector<float> scaled(piece * 2);
    for (size_t at = 0; at < frames; at += piece) {
        const size_t count = std::min(piece, frames - at);
        const float* from = take.frames.data() + at * 2;
        for (size_t i = 0; i < count * 2; ++i) {
            scaled[i] = from[i] * scale;
        }
        if (!meter->Add(scaled.data(), count)) {
            return std::numeric_limits<double>::quiet_NaN();
        }
    }
    return meter->Integrated();
}

} // namespace

RingtoneLoudness RingtoneLoudness::Measure(const EditedWave& wave, RingtoneSound& sound,
                                           int32_t maxSeconds, const RenderProgress& going) {
    const int32_t seconds =
        maxSeconds > 0 ? std::min(maxSeconds, measuredSeconds) : measuredSeconds;
    RingtoneTake take;
    if (!TakeRingtoneSound(wave, sound, seconds, take, going)) {
        sound.effects.loudnessGainDb = 0.0;
        return {};
    }
    return Measure(take, sound.effects);
}

RingtoneLoudness RingtoneLoudness::Measure(const RingtoneTake& take, EffectSet& effects,
                                           std::vector<int16_t>* levelled) {
    const size_t frames = std::min(size_t{measuredSeconds} * OfflineOutput::rate, take.length);
    const double lufs = AtVolume(take, effects.volume, frames);
    RingtoneLoudness result{!std::isnan(lufs), lufs};
    effects.loudnessGainDb = 0.0;
    if (!effects.phoneLoudness || !std::isfinite(lufs)) {
        return result;
    }
    double gain = effects.loudnessTarget - lufs;
    for (int tries = 0; tries < kTries; ++tries) {
        effects.loudnessGainDb = std::min(gain, kMostGainDb);
        if (levelled != nullptr) {
            levelled->clear();
        }
        const double reached = Levelled(take, effects, frames, levelled);
        if (!std::isfinite(reached) || std::fabs(effects.loudnessTarget - reached) <= kClose) {
            break;
        }
        gain += effects.loudnessTarget - reached;
    }
    return result;
}
