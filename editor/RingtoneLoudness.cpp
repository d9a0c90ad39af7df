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

// Measures the ringtone as it sounds without phone loudness and keeps it.
class KeepingSink final : public RingtoneSink {
public:
    bool Begin(int32_t channelCount, int32_t sampleRate) override {
        channels = static_cast<uint32_t>(channelCount);
        rate = static_cast<uint32_t>(sampleRate);
        meter = LoudnessMeter::Create(rate, channels, false);
        return meter != nullptr;
    }
    bool Write(const int16_t* pcm, size_t frames) override {
        kept.insert(kept.end(), pcm, pcm + frames * channels);
        return meter->Add(pcm, frames);
    }

    uint32_t channels = 0;
    uint32_t rate = 0;
    std::vector<int16_t> kept;
    std::unique_ptr<LoudnessMeter> meter;
};

// The kept sound with phone loudness's gain and limiter, as the output stage makes it, but
// without rendering the edit and the effects again, which would cost several times more. The
// stage meets the gain after the effects and before the limiter either way; what differs is
// only the plain rendering's own limiter and rounding, a few hundredths of a LU at most.
double WithGain(const KeepingSink& plain, const EffectSet& effects) {
    EffectSet gainOnly;
    gainOnly.phoneLoudness = true;
    gainOnly.loudnessGainDb = effects.loudnessGainDb;
    const std::unique_ptr<OfflineOutput> output =
        OfflineOutput::Create(OfflineOutput::Settings{plain.rate, plain.channels, gainOnly});
    const std::unique_ptr<LoudnessMeter> meter =
        LoudnessMeter::Create(OfflineOutput::rate, 2, false);
    if (!output || !meter) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const size_t frames = plain.kept.size() / plain.channels;
    std::vector<int16_t> out;
    bool good = true;
    for (size_t at = 0; good && at < frames; at += plain.rate) {
        out.clear();
        good = output->Process(plain.kept.data() + at * plain.channels,
                               std::min<size_t>(plain.rate, frames - at), out) &&
               meter->Add(out.data(), out.size() / 2);
    }
    out.clear();
    good = good && output->Finish(out) && meter->Add(out.data(), out.size() / 2);
    return good ? meter->Integrated() : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

RingtoneLoudness RingtoneLoudness::Measure(const EditedWave& wave, RingtoneSound& sound,
                                           int32_t maxSeconds) {
    const int32_t seconds =
        maxSeconds > 0 ? std::min(maxSeconds, measuredSeconds) : measuredSeconds;
    RingtoneSound plain = sound;
    plain.effects.phoneLoudness = false;
    KeepingSink kept;
    RingtoneLoudness result;
    result.measured = RenderRingtoneSound(wave, plain, seconds, kept);
    result.lufs = result.measured ? kept.meter->Integrated() : 0.0;
    EffectSet& effects = sound.effects;
    effects.loudnessGainDb = 0.0;
    if (!effects.phoneLoudness || !std::isfinite(result.lufs)) {
        return result;
    }
    double gain = effects.loudnessTarget - result.lufs;
    for (int tries = 0; tries < kTries; ++tries) {
        effects.loudnessGainDb = std::min(gain, kMostGainDb);
        const double reached = WithGain(kept, effects);
        if (!std::isfinite(reached) || std::fabs(effects.loudnessTarget - reached) <= kClose) {
            break;
        }
        gain += effects.loudnessTarget - reached;
    }
    return result;
}
