// One stream of the PortAudio layer: a source (a decoded file or a stream procedure), the
// feeder thread that runs the source about half a second ahead of the device into a ring,
// and what the device callback does with the ring: the effect chain and the volume.
//
// Threads:
// - user-interface thread: construction, Play, Pause, Stop, SetVolume, AddEffect,
//   RemoveEffect, SetPhoneLoudness, destruction (which joins the feeder);
// - feeder thread: calls the source; holds `feederMutex` while it makes a block, so the
//   user-interface thread can reposition the source between blocks;
// - device callback: MixInto only; no locks, allocation or file access. It shares `state`,
//   `volume`, `loudnessGain`, `chain` and the ring with the other two.
#pragma once

#include "dsp/AudioEffect.h"
#include "dsp/OutputStage.h"
#include "platform/AudioOutput.h"
#include "platform/linux/CallbackGate.h"
#include "platform/linux/FileDecoder.h"
#include "platform/linux/FrameRing.h"
#include "platform/linux/StereoConverter.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class AudioChannel {
public:
    static constexpr int deviceRate = AudioEffect::sampleRate;
    // Frames the device callback takes from a channel at a time.
    static constexpr size_t mixFrames = 512;

    // Null when the source can't be converted to the device's format.
    static std::unique_ptr<AudioChannel> ForFile(std::unique_ptr<FileDecoder> decoder,
                                                 CallbackGate& gate);
    static std::unique_ptr<AudioChannel> ForProcedure(uint32_t handle, uint32_t frequency,
                                                      uint32_t channelCount, AudioStreamProc proc,
                                                      void* user, CallbackGate& gate);
    // The caller has taken the channel out of the device's mix and waited for the gate.
    ~AudioChannel();
    AudioChannel(const AudioChannel&) = delete;
    AudioChannel& operator=(const AudioChannel&) = delete;

    bool Play(bool restart);
    void Pause();
    void Stop();
    bool IsPlaying() const;
    void SetVolume(float value);
    void SetPhoneLoudness(float gain);
    bool AddEffect(uint32_t handle, AudioEffectKind kind, int priority);
    bool RemoveEffect(uint32_t handle);

    // Device callback: adds count frames of this channel to out (interleaved stereo).
    void MixInto(float* out, size_t count);

private:
    enum State { stopped, playing, paused };
    struct Effect {
        uint32_t handle;
        AudioEffectKind kind;
        int priority;
        std::unique_ptr<AudioEffect> effect;
    };
    using Chain = OutputStage::Chain;

    explicit AudioChannel(CallbackGate& gate);
    void StartFeeder();
    void FeederLoop();
    // Makes one block into staging; with feederMutex held.
    void MakeBlock();
    // Publishes the chain for the current effects list and frees the one it replaces.
    void PublishChain();
    // Replaces every effect with a new one of its kind, at its initial state; while the callback
    // is held off.
    void RenewEffects();

    CallbackGate& gate;

    // Source. Touched by the feeder, or by the user-interface thread holding feederMutex.
    std::unique_ptr<FileDecoder> decoder; // null for a procedure stream
    AudioStreamProc proc = nullptr;
    void* user = nullptr;
    uint32_t handle = 0;
    std::vector<int16_t> procBlock; // one block of the procedure's PCM
    StereoConverter converter;      // procedure PCM to device frames
    std::vector<float> staging;     // made but not yet in the ring
    size_t stagingRead = 0;         // floats of staging already moved to the ring
    bool ended = false;             // the file is over
    bool atStart = true;            // nothing made since the stream was opened or restarted

    // Feeder thread control.
    std::mutex feederMutex;
    std::condition_variable feederWake;
    bool quit = false;
    // Set by a restarting Play, which waits on `primed` until the feeder has filled the ring
    // (or the source has ended) and cleared it.
    bool priming = false;
    std::condition_variable primed;
    std::thread feeder;

    // Shared with the device callback.
    FrameRing ring;
    std::atomic<State> state{stopped};
    std::atomic<float> volume{1.0f};
    std::atomic<float> loudnessGain{0.0f}; // 0: phone loudness off
    std::atomic<const Chain*> chain{nullptr};

    // User-interface thread only: the effects in processing order and the chain published.
    std::vector<Effect> effects;
    std::unique_ptr<Chain> publishedChain;

    // Device callback only, but for Play's restart, which first waits for the callback.
    OutputStage stage;
    std::array<float, mixFrames * 2> scratch{};
};
