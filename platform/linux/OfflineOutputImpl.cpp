// OfflineOutput over StereoConverter (libswresample) and the shared OutputStage.
#include "platform/OfflineOutput.h"

#include "platform/dsp/AudioEffect.h"
#include "platform/dsp/OutputStage.h"
#include "platform/linux/StereoConverter.h"

#include <new>

namespace {

class ConvertingOutput final : public OfflineOutput {
public:
    bool Configure(const Settings& settings) {
        if (!converter.ConfigurePcm16(settings.frequency, settings.channels, rate)) {
            return false;
        }
        volume = settings.volume;
        stage.Start(volume);
        const std::pair<bool, AudioEffectKind> wanted[] = {
            {settings.chorus, AudioEffectKind::Chorus},
            {settings.echo, AudioEffectKind::Echo},
            {settings.reverb, AudioEffectKind::Reverb}};
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
        return converter.Drain(floats) && Emit(out);
    }

private:
    bool Emit(std::vector<int16_t>& out) {
        stage.Process(floats.data(), floats.size() / 2, &chain, volume);
        const size_t at = out.size();
        out.resize(at + floats.size());
        OutputStage::ToPcm16(floats.data(), out.data() + at, floats.size());
        return true;
    }

    StereoConverter converter;
    OutputStage stage;
    std::vector<std::unique_ptr<AudioEffect>> effects;
    OutputStage::Chain chain;
    float volume = 1.0f;
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
