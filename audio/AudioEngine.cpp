#include "audio/AudioEngine.h"

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

// The layer takes UTF-8 paths. Done by hand: the standard conversions depend on the locale
// and report bad input by throwing. Characters that are not valid code points become U+FFFD.
std::string Utf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t wide : text) {
        // wchar_t holds UTF-32 on Linux.
        auto c = static_cast<char32_t>(wide);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
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
    if (engine) {
        engine->initialised = engine->output->Init(AudioOutput::defaultDevice, 44100);
    }
    return engine.get();
}

void AudioEngine::Release() {
    std::unique_ptr<AudioEngine>& engine = EngineSlot();
    if (engine && engine->initialised) {
        engine->output->Free();
    }
    engine.reset();
}

void AudioEngine::UseOutput(std::unique_ptr<AudioOutput> layer) {
    InjectedOutput() = std::move(layer);
}

bool AudioEngine::SetFile(const std::wstring& newPath) {
    std::error_code error;
    const std::filesystem::path file(Utf8(newPath));
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
        switch (fileType) {
        case AudioFileWav:
        case AudioFileMp3:
            handle = output->CreateFileStream(AudioFileKind::WavOrMp3, Utf8(path));
            break;
        case AudioFileAac:
            handle = output->CreateFileStream(AudioFileKind::Aac, Utf8(path));
            break;
        case AudioFileMp4:
            handle = output->CreateFileStream(AudioFileKind::Mp4, Utf8(path));
            break;
        case AudioFileNone:
            break;
        }
    } else {
        handle = output->CreateProcedureStream(frequency, channels, streamProc, userValue);
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
    fromFile = fileStream;
    return true;
}

void AudioEngine::SwitchEffect(bool wanted, AudioEffectKind kind, uint32_t& handle) {
    if (wanted && handle == 0) {
        handle = output->AddEffect(stream, kind, 0);
    } else if (!wanted && handle != 0) {
        output->RemoveEffect(stream, handle);
        handle = 0;
    }
}

bool AudioEngine::SetEffects(bool chorus, bool echo, bool reverb) {
    SwitchEffect(chorus, AudioEffectKind::Chorus, chorusFx);
    SwitchEffect(echo, AudioEffectKind::Echo, echoFx);
    SwitchEffect(reverb, AudioEffectKind::Reverb, reverbFx);
    return true;
}

void AudioEngine::Play() {
    if (streamOpen && !playing) {
        playing = output->Play(stream, true);
    }
}

void AudioEngine::Stop() {
    if (streamOpen && playing) {
        playing = !output->Stop(stream);
    }
}

void AudioEngine::TogglePause() {
    if (!paused) {
        paused = output->Pause(stream);
    } else if (output->Play(stream, false)) {
        paused = false;
    }
}

void AudioEngine::FreeStream() {
    if (streamOpen) {
        streamOpen = !output->FreeStream(stream);
    }
}

void AudioEngine::SetVolume(int percent) {
    output->SetVolume(stream, static_cast<float>(percent / 100.0));
}
