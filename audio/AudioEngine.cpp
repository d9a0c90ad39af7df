#include "audio/AudioEngine.h"

#include "text/Utf8Text.h"

#include <filesystem>
#include <new>

namespace {

std::unique_ptr<AudioEngine>& EngineSlot() {
    static std::unique_ptr<AudioEngine> engine;
    return engine;
}

std::unique_ptr<AudioOutput>& InjectedOutput() {
    static std::unique_ptr<AudioOutput> output;
    return output;
}

} // namespace

AudioEngine::AudioEngine(std::unique_ptr<AudioOutput> layer) : output(std::move(layer)) {}

AudioEngine* AudioEngine::Get() {
    std::unique_ptr<AudioEngine>& engine = EngineSlot();
    if (engine) {
        return engine.get();
    }
    std::unique_ptr<AudioOutput> layer = std::move(InjectedOutput());
    if (!layer) {
        layer = CreateSystemAudioOutput();
    }
    engine.reset(new (std::nothrow) AudioEngine(std::move(layer)));
    return engine.get();
}

bool AudioEngine::StartLayer(AudioOutput* layer) {
    return layer->Init(AudioOutput::defaultDevice, 44100);
}

void AudioEngine::PrepareOutput() {
    if (outputBegun) {
        return;
    }
    outputBegun = true;
    starting = std::async(std::launch::async, StartLayer, output.get());
}

void AudioEngine::AwaitOutput() {
    if (!outputBegun) {
        outputBegun = true;
        initialised = StartLayer(output.get());
    }
    if (starting.valid()) {
        initialised = starting.get();
    }
}

AudioOutput& AudioEngine::Output() {
    AwaitOutput();
    return *output;
}

void AudioEngine::Release() {
    std::unique_ptr<AudioEngine>& engine = EngineSlot();
    if (engine && engine->outputBegun) {
        engine->AwaitOutput();
        if (engine->initialised) {
            engine->output->Free();
        }
    }
    engine.reset();
}

void AudioEngine::UseOutput(std::unique_ptr<AudioOutput> layer) {
    InjectedOutput() = std::move(layer);
}

bool AudioEngine::SetFile(const std::wstring& newPath) {
    std::error_code error;
    const std::filesystem::path file(Utf8FromWide(newPath));
    if (newPath.empty() || !std::filesystem::exists(file, error) ||
        std::filesystem::is_directory(file, error)) {
        return false;
    }
    path = newPath;
    return true;
}

bool AudioEngine::OpenStream(bool fileStream) {
    if (streamOpen) {
        return false;
    }
    uint32_t handle = 0;
    if (fileStream) {
        if (FindSourceKind(fileType) != nullptr) {
            handle = Output().CreateFileStream(fileType, Utf8FromWide(path));
        }
    } else {
        handle = Output().CreateProcedureStream(frequency, channels, streamProc, userValue);
    }
    if (handle == 0) {
        streamOpen = false;
        return false;
    }
    stream = handle;
    streamOpen = true;
    chorusFx = 0;
    echoFx = 0;
    reverbFx = 0;
    loudnessGain = 0.0f;
    fromFile = fileStream;
    return true;
}

void AudioEngine::SwitchEffect(bool wanted, AudioEffectKind kind, uint32_t& handle) {
    if (wanted && handle == 0) {
        handle = Output().AddEffect(stream, kind, 0);
    } else if (!wanted && handle != 0) {
        Output().RemoveEffect(stream, handle);
        handle = 0;
    }
}

bool AudioEngine::SetEffects(const EffectSet& effects) {
    SwitchEffect(effects.chorus, AudioEffectKind::Chorus, chorusFx);
    SwitchEffect(effects.echo, AudioEffectKind::Echo, echoFx);
    SwitchEffect(effects.reverb, AudioEffectKind::Reverb, reverbFx);
    const float gain = effects.LoudnessGain();
    if (gain != loudnessGain && Output().SetPhoneLoudness(stream, gain)) {
        loudnessGain = gain;
    }
    return true;
}

void AudioEngine::Play() {
    if (streamOpen && !playing) {
        playing = Output().Play(stream, true);
    }
}

void AudioEngine::Stop() {
    if (streamOpen && playing) {
        playing = !Output().Stop(stream);
    }
}

void AudioEngine::TogglePause() {
    if (!paused) {
        paused = Output().Pause(stream);
    } else if (Output().Play(stream, false)) {
        paused = false;
    }
}

void AudioEngine::FreeStream() {
    if (streamOpen) {
        streamOpen = !Output().FreeStream(stream);
    }
}

void AudioEngine::SetVolume(int percent) {
    Output().SetVolume(stream, static_cast<float>(percent / 100.0));
}
