// The audio output layer on PortAudio (through ALSA on Linux): one output device, opened by
// Init at the device rate in stereo 16-bit, running only while some stream plays. Its
// callback mixes the playing streams (normally the one stream the engine holds) and clips
// the sum to 16 bits.
//
// Threads: the AudioOutput operations run on the user-interface thread; the callback runs
// on PortAudio's thread and reads only `mixSlots` and what each published channel shares.
#pragma once

#include "platform/AudioOutput.h"
#include "platform/linux/AudioChannel.h"
#include "platform/linux/CallbackGate.h"

#include <portaudio.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>

class PortAudioOutput final : public AudioOutput {
public:
    PortAudioOutput() = default;
    ~PortAudioOutput() override;
    PortAudioOutput(const PortAudioOutput&) = delete;
    PortAudioOutput& operator=(const PortAudioOutput&) = delete;

    bool Init(int device, uint32_t frequency) override;
    uint32_t CreateFileStream(AudioFileType type, const std::string& path) override;
    uint32_t CreateProcedureStream(uint32_t frequency, uint32_t channels, AudioStreamProc proc,
                                   void* user) override;
    bool Play(uint32_t stream, bool restart) override;
    bool Pause(uint32_t stream) override;
    bool Stop(uint32_t stream) override;
    bool FreeStream(uint32_t stream) override;
    bool SetVolume(uint32_t stream, float volume) override;
    bool SetPhoneLoudness(uint32_t stream, float gain) override;
    uint32_t AddEffect(uint32_t stream, AudioEffectKind kind, int priority) override;
    bool RemoveEffect(uint32_t stream, uint32_t effect) override;
    bool Free() override;

private:
    // Streams that can exist at once; the engine holds one.
    static constexpr size_t maxStreams = 16;

    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags statusFlags,
                        void* self);
    void Mix(int16_t* out, size_t frames);

    AudioChannel* Find(uint32_t stream) const;
    // Adds the channel to the mix under the given handle; 0 when it is null or the mix is full.
    uint32_t Publish(uint32_t handle, std::unique_ptr<AudioChannel> channel);
    // Starts the device when a stream plays and stops it when none does.
    bool UpdateDevice();
    uint32_t NextHandle();

    // User-interface thread only.
    bool initialised = false;
    PaStream* device = nullptr;
    bool deviceRunning = false;
    uint32_t lastHandle = 0;
    std::map<uint32_t, std::unique_ptr<AudioChannel>> streams;

    // Shared with the callback: the channels it mixes, and the gate it passes through.
    std::array<std::atomic<AudioChannel*>, maxStreams> mixSlots{};
    CallbackGate gate;

    // Callback only.
    std::array<float, AudioChannel::mixFrames * 2> mixBuffer{};
};
