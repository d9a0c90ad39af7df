#include "platform/linux/PortAudioOutput.h"

#include "dsp/OutputStage.h"
#include "platform/linux/FileDecoder.h"

extern "C" {
#include <libavutil/log.h>
}

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace {

// ALSA reports every missing card and plugin on stderr, which is the converter's console.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// PortAudio's JACK and ALSA probing print to stderr while it initialises and opens the
// device, where no handler can be set. Stderr is muted for that time only.
class MutedStderr {
public:
    MutedStderr() : saved(dup(STDERR_FILENO)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~MutedStderr() {
        if (saved >= 0) {
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    MutedStderr(const MutedStderr&) = delete;
    MutedStderr& operator=(const MutedStderr&) = delete;

private:
    int saved;
};

} // namespace

std::unique_ptr<AudioOutput> CreateSystemAudioOutput() {
    return std::unique_ptr<AudioOutput>(new (std::nothrow) PortAudioOutput());
}

PortAudioOutput::~PortAudioOutput() {
    if (initialised) {
        Free();
    }
}

bool PortAudioOutput::Init(int deviceNumber, uint32_t frequency) {
    if (initialised || frequency != static_cast<uint32_t>(AudioChannel::deviceRate)) {
        return false;
    }
    snd_lib_error_set_handler(IgnoreAlsaError);
    // FFmpeg's warnings about the files it reads would land there too.
    av_log_set_level(AV_LOG_QUIET);
    const MutedStderr muted;
    if (Pa_Initialize() != paNoError) {
        return false;
    }
    const PaDeviceIndex index =
        deviceNumber == defaultDevice ? Pa_GetDefaultOutputDevice() : deviceNumber;
    const PaDeviceInfo* info =
        index >= 0 && index < Pa_GetDeviceCount() ? Pa_GetDeviceInfo(index) : nullptr;
    if (info == nullptr || info->maxOutputChannels < 2) {
        Pa_Terminate();
        return false;
    }
    PaStreamParameters parameters{};
    parameters.device = index;
    parameters.channelCount = 2;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = info->defaultLowOutputLatency;
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &parameters, AudioChannel::deviceRate,
                      AudioChannel::mixFrames, paDitherOff, Callback, this) != paNoError) {
        Pa_Terminate();
        return false;
    }
    device = stream;
    initialised = true;
    return true;
}

bool PortAudioOutput::Free() {
    if (!initialised) {
        return false;
    }
    if (deviceRunning) {
        Pa_StopStream(device);
        deviceRunning = false;
    }
    for (auto& slot : mixSlots) {
        slot.store(nullptr, std::memory_order_seq_cst);
    }
    streams.clear();
    Pa_CloseStream(device);
    device = nullptr;
    Pa_Terminate();
    initialised = false;
    return true;
}

uint32_t PortAudioOutput::NextHandle() {
    ++lastHandle;
    if (lastHandle == 0) {
        ++lastHandle;
    }
    return lastHandle;
}

uint32_t PortAudioOutput::Publish(uint32_t handle, std::unique_ptr<AudioChannel> channel) {
    if (!channel) {
        return 0;
    }
    const auto freeSlot = std::find_if(mixSlots.begin(), mixSlots.end(), [](const auto& slot) {
        return slot.load(std::memory_order_relaxed) == nullptr;
    });
    if (freeSlot == mixSlots.end()) {
        return 0;
    }
    freeSlot->store(channel.get(), std::memory_order_seq_cst);
    streams.emplace(handle, std::move(channel));
    return handle;
}

uint32_t PortAudioOutput::CreateFileStream(AudioFileType type, const std::string& path) {
    if (!initialised || FindSourceKind(type) == nullptr) {
        return 0;
    }
    return Publish(NextHandle(),
                   AudioChannel::ForFile(FileDecoder::Open(path, AudioChannel::deviceRate), gate));
}

uint32_t PortAudioOutput::CreateProcedureStream(uint32_t frequency, uint32_t channels,
                                                AudioStreamProc proc, void* user) {
    if (!initialised) {
        return 0;
    }
    // The procedure is told its stream's handle, so the handle is chosen first.
    const uint32_t handle = NextHandle();
    return Publish(handle,
                   AudioChannel::ForProcedure(handle, frequency, channels, proc, user, gate));
}

AudioChannel* PortAudioOutput::Find(uint32_t stream) const {
    const auto found = streams.find(stream);
    return found == streams.end() ? nullptr : found->second.get();
}

bool PortAudioOutput::UpdateDevice() {
    const bool wanted = std::any_of(streams.begin(), streams.end(),
                                    [](const auto& entry) { return entry.second->IsPlaying(); });
    if (wanted && !deviceRunning) {
        deviceRunning = Pa_StartStream(device) == paNoError;
        return deviceRunning;
    }
    if (!wanted && deviceRunning) {
        Pa_StopStream(device);
        deviceRunning = false;
    }
    return true;
}

bool PortAudioOutput::Play(uint32_t stream, bool restart) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr || !channel->Play(restart)) {
        return false;
    }
    if (!UpdateDevice()) {
        channel->Stop();
        return false;
    }
    return true;
}

bool PortAudioOutput::Pause(uint32_t stream) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr) {
        return false;
    }
    channel->Pause();
    UpdateDevice();
    return true;
}

bool PortAudioOutput::Stop(uint32_t stream) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr) {
        return false;
    }
    channel->Stop();
    UpdateDevice();
    return true;
}

bool PortAudioOutput::FreeStream(uint32_t stream) {
    const auto found = streams.find(stream);
    if (found == streams.end()) {
        return false;
    }
    for (auto& slot : mixSlots) {
        if (slot.load(std::memory_order_relaxed) == found->second.get()) {
            slot.store(nullptr, std::memory_order_seq_cst);
        }
    }
    gate.WaitForCallbacks();
    streams.erase(found);
    UpdateDevice();
    return true;
}

bool PortAudioOutput::SetVolume(uint32_t stream, float volume) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr || std::isnan(volume)) {
        return false;
    }
    channel->SetVolume(volume);
    return true;
}

bool PortAudioOutput::SetPhoneLoudness(uint32_t stream, float gain) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr || !(gain >= 0.0f)) {
        return false;
    }
    channel->SetPhoneLoudness(gain);
    return true;
}

uint32_t PortAudioOutput::AddEffect(uint32_t stream, AudioEffectKind kind, int priority) {
    AudioChannel* channel = Find(stream);
    if (channel == nullptr) {
        return 0;
    }
    const uint32_t handle = NextHandle();
    return channel->AddEffect(handle, kind, priority) ? handle : 0;
}

bool PortAudioOutput::RemoveEffect(uint32_t stream, uint32_t effect) {
    AudioChannel* channel = Find(stream);
    return channel != nullptr && channel->RemoveEffect(effect);
}

int PortAudioOutput::Callback(const void*, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
    auto* layer = static_cast<PortAudioOutput*>(self);
    layer->gate.Enter();
    layer->Mix(static_cast<int16_t*>(output), frames);
    layer->gate.Exit();
    return paContinue;
}

void PortAudioOutput::Mix(int16_t* out, size_t frames) {
    for (size_t done = 0; done < frames;) {
        const size_t n = std::min(frames - done, AudioChannel::mixFrames);
        std::fill(mixBuffer.begin(), mixBuffer.begin() + static_cast<std::ptrdiff_t>(n * 2), 0.0f);
        for (const auto& slot : mixSlots) {
            AudioChannel* channel = slot.load(std::memory_order_seq_cst);
            if (channel != nullptr) {
                channel->MixInto(mixBuffer.data(), n);
            }
        }
        OutputStage::ToPcm16(mixBuffer.data(), out + done * 2, n * 2);
        done += n;
    }
}
