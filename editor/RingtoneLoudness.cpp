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
// Levellings with the gain: the first, and corrections for what the limiter took off.
constexpr int kTries = 4;
// Up to this loss the limiter's effect on the loudness is estimated from its effect on the
// power, beyond it measured: on the tests' loud songs the estimate stays within 0.05 LU of the
// meter up to a loss of 1.8 LU.
constexpr double kTrustedLoss = 1.0;
// The limiter never takes back more than this share of a dB of gain, so the next try's gain
// stays within reach.
constexpr double kLeastSlope = 0.2;

// The sum of the squares, in four running sums so that each addition need not wait for the one
// before.
template <typename Sample> double SquareSum(const Sample* samples, size_t count) {
    double sums[4] = {};
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        for (size_t k = 0; k < 4; ++k) {
            sums[k] += static_cast<double>(samples[i + k]) * samples[i + k];
        }
    }
    for (; i < count; ++i) {
        sums[0] += static_cast<double>(samples[i]) * samples[i];
    }
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

// Keeps what it is sent and adds up its power.
class KeepingSink final : public RingtoneSink {
public:
    explicit KeepingSink(std::vector<int16_t>& into) : kept(into) {}

    bool Begin(int32_t, int32_t) override { return true; }
    bool Write(const int16_t* pcm, size_t frames) override {
        kept.insert(kept.end(), pcm, pcm + frames * 2);
        power += SquareSum(pcm, frames * 2) / (32768.0 * 32768.0);
        return true;
    }

    std::vector<int16_t>& kept;
    // Sum of the squares of the samples, full scale 1.0.
    double power = 0.0;
};

// The take's first frames at the volume ruler's percentage, before the output's limiter, which
// touches only peaks above -0.3 dBFS.
struct AtVolume {
    // Integrated loudness; NaN when the meter failed.
    double lufs = std::numeric_limits<double>::quiet_NaN();
    // Sum of the squares of the samples, full scale 1.0.
    double power = 0.0;

    AtVolume(const RingtoneTake& take, int32_t volume, size_t frames) {
        constexpr size_t piece = 4096;
        const std::unique_ptr<LoudnessMeter> meter =
            LoudnessMeter::Create(OfflineOutput::rate, 2, false);
        if (!meter) {
            return;
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
            power += SquareSum(scaled.data(), count * 2);
            if (!meter->Add(scaled.data(), count)) {
                return;
            }
        }
        lufs = meter->Integrated();
    }
};

// Integrated loudness of 16-bit stereo frames; NaN when the meter fails.
double Metered(const std::vector<int16_t>& pcm) {
    const std::unique_ptr<LoudnessMeter> meter =
        LoudnessMeter::Create(OfflineOutput::rate, 2, false);
    return meter && meter->Add(pcm.data(), pcm.size() / 2)
               ? meter->Integrated()
               : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

RingtoneLoudness RingtoneLoudness::Measure(const EditedWave& wave, const RingtoneSound& sound,
                                           int32_t maxSeconds, const RenderProgress& going) {
    const int32_t seconds =
        maxSeconds > 0 ? std::min(maxSeconds, measuredSeconds) : measuredSeconds;
    RingtoneTake take;
    if (!TakeRingtoneSound(wave, sound, seconds, take, going)) {
        return {};
    }
    return Measure(take, sound.effects);
}

RingtoneLoudness RingtoneLoudness::Measure(const RingtoneTake& take, const EffectSet& chosen,
                                           std::vector<int16_t>* levelled) {
    const size_t frames = std::min(size_t{measuredSeconds} * OfflineOutput::rate, take.length);
    const AtVolume plain(take, chosen.volume, frames);
    RingtoneLoudness result{!std::isnan(plain.lufs), plain.lufs, 0.0};
    if (!chosen.phoneLoudness || !std::isfinite(plain.lufs)) {
        return result;
    }
    // The gains tried are levelled through a copy of the set.
    EffectSet effects = chosen;
    std::vector<int16_t> own;
    std::vector<int16_t>& out = levelled != nullptr ? *levelled : own;
    out.reserve(frames * 2);
    double gain = effects.loudnessTarget - plain.lufs;
    // The loudness gained per dB of gain: 1 until the limiter shows how much it takes back.
    double slope = 1.0;
    double lastGain = 0.0;
    double lastReached = 0.0;
    for (int tries = 0; tries < kTries; ++tries) {
        effects.loudnessGainDb = std::min(gain, kMostGainDb);
        out.clear();
        KeepingSink sink(out);
        LevelRingtoneTake(take, effects, frames, sink);
        // What the limiter took off, from the power it left: close to what the meter would
        // find while it is small, and a second pass of the meter costs as much as the effects.
        const double applied = effects.LoudnessGain();
        const double lost = 10.0 * std::log10(plain.power * applied * applied / sink.power);
        const double reached =
            lost <= kTrustedLoss ? plain.lufs + 20.0 * std::log10(applied) - lost : Metered(out);
        if (!std::isfinite(reached) || std::fabs(effects.loudnessTarget - reached) <= kClose) {
            break;
        }
        if (tries > 0 && effects.loudnessGainDb != lastGain) {
            slope = std::clamp((reached - lastReached) / (effects.loudnessGainDb - lastGain),
                               kLeastSlope, 1.0);
        }
        lastGain = effects.loudnessGainDb;
        lastReached = reached;
        gain += (effects.loudnessTarget - reached) / slope;
    }
    result.gainDb = effects.loudnessGainDb;
    return result;
}
