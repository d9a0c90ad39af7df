// OfflineOutput over StereoConverter (libswresample) and the shared OutputStage.
#include "platform/OfflineOutput.h"

#include "platform/dsp/AudioEffect.h"
#include "platform/dsp/OutputStage.h"
#include "platform/linux/StereoConverter.h"

#include <algorithm>
#include <new>

namespace {

class ConvertingOutput final : public OfflineOutput {
public:
    bool Configure(const Settings& settings) {
        if (!converter.ConfigurePcm16(settings.frequency, settings.channels, rate)) {
            return false;
        }
        const EffectSet& set = settings.effects;
        // As the engine passes the ruler's value to the audio layer.
        volume = static_cast<float>(set.volume / 100.0);
        loudnessGain = set.LoudnessGain();
        stage.Start(volume, loudnessGain);
        const std::pair<bool, AudioEffectKind> wanted[] = {{set.chorus, AudioEffectKind::Chorus},
                                                           {set.echo, AudioEffectKind::Echo},
                                                           {set.reverb, AudioEffectKind::Reverb}};
        for (const auto& [on, kind] : wanted) {
            if (on) {
                effects.push_back(AudioEffect::Create(kind));
                chain.push_back(effects.back().get());
            }
        }
        return true;
    }

    bool Process(const int16_t* pcm, size_t frames, std::vector<int16_t>& out) override {
        const uint8_t* planes[1] = {reinterpret_cast<const uint8_t*>(pcm)};
        floats.clear();
        return converter.Convert(planes, static_cast<int>(frames), floats) && Emit(out);
    }

    bool Finish(std::vector<int16_t>& out) override {
        floats.clear();
        if (!converter.Drain(floats)) {
            return false;
        }
        floats.resize(floats.size() + OutputStage::latency * 2, 0.0f);
        return Emit(out);
    }

private:
    bool Emit(std::vector<int16_t>& out) {
        stage.Process(floats.data(), floats.size() / 2, &chain, volume, loudnessGain);
        // The stage's first frames are its empty delay line, not sound.
        const size_t skip = std::min(delayed, floats.size() / 2);
        delayed -= skip;
        const size_t at = out.size();
        out.resize(at + floats.size() - skip * 2);
        OutputStage::ToPcm16(floats.data() + skip * 2, out.data() + at, floats.size() - skip * 2);
        return true;
    }

    StereoConverter converter;
    OutputStage stage;
    std::vector<std::unique_ptr<AudioEffect>> effects;
    OutputStage::Chain chain;
    float volume = 1.0f;
    float loudnessGain = 0.0f;
    size_t delayed = OutputStage::latency;
    std::vector<float> floats;
};

} // namespace

std::unique_ptr<OfflineOutput> OfflineOutput::Create(const Settings& settings) {
    std::unique_ptr<ConvertingOutput> output(new (std::nothrow) ConvertingOutput());
    if (!output || !output->Configure(settings)) {
        return nullptr;
    }
    return output;
}
