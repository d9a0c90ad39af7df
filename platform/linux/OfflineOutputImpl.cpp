// OfflineOutput over StereoConverter (libswresample) and the shared OutputStage.
#include "platform/OfflineOutput.h"

#include "dsp/AudioEffect.h"
#include "dsp/OfflineLevel.h"
#include "platform/linux/StereoConverter.h"

#include <new>

namespace {

class ConvertingOutput final : public OfflineOutput {
public:
    explicit ConvertingOutput(const EffectSet& set) : level(set) {}

    bool Configure(const Settings& settings) {
        if (!converter.ConfigurePcm16(settings.frequency, settings.channels, rate)) {
            return false;
        }
        const EffectSet& set = settings.effects;
        const std::pair<bool, AudioEffectKind> wanted[] = {{set.chorus, AudioEffectKind::Chorus},
                                                           {set.echo, AudioEffectKind::Echo},
                                                           {set.reverb, AudioEffectKind::Reverb}};
        for (const auto& [on, kind] : wanted) {
            if (on) {
                effects.push_back(AudioEffect::Create(kind));
            }
        }
        return true;
    }

    bool Process(const int16_t* pcm, size_t frames, std::vector<int16_t>& out) override {
        floats.clear();
        if (!ProcessEffects(pcm, frames, floats)) {
            return false;
        }
        level.Process(floats.data(), floats.size() / 2, out);
        return true;
    }

    bool Finish(std::vector<int16_t>& out) override {
        floats.clear();
        if (!FinishEffects(floats)) {
            return false;
        }
        level.Process(floats.data(), floats.size() / 2, out);
        return true;
    }

    bool ProcessEffects(const int16_t* pcm, size_t frames, std::vector<float>& out) override {
        const uint8_t* planes[1] = {reinterpret_cast<const uint8_t*>(pcm)};
        const size_t at = out.size();
        if (!converter.Convert(planes, static_cast<int>(frames), out)) {
            return false;
        }
        RunEffects(out, at);
        return true;
    }

    bool FinishEffects(std::vector<float>& out) override {
        const size_t at = out.size();
        if (!converter.Drain(out)) {
            return false;
        }
        out.resize(out.size() + OutputStage::latency * 2, 0.0f);
        RunEffects(out, at);
        return true;
    }

private:
    // The chain over what was appended to out from `at` on.
    void RunEffects(std::vector<float>& out, size_t at) {
        for (const std::unique_ptr<AudioEffect>& effect : effects) {
            effect->Process(out.data() + at, (out.size() - at) / 2);
        }
    }

    StereoConverter converter;
    std::vector<std::unique_ptr<AudioEffect>> effects;
    OfflineLevel level;
    std::vector<float> floats;
};

} // namespace

std::unique_ptr<OfflineOutput> OfflineOutput::Create(const Settings& settings) {
    std::unique_ptr<ConvertingOutput> output(new (std::nothrow) ConvertingOutput(settings.effects));
    if (!output || !output->Configure(settings)) {
        return nullptr;
    }
    return output;
}
