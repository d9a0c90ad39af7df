#include "platform/linux/AudioChannel.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <utility>

namespace {
// About half a second of sound ahead of the device.
constexpr size_t ringFrames = AudioChannel::deviceRate / 2;
// The feeder looks for room in the ring this often; the ring lasts fifty times longer.
constexpr auto feederPoll = std::chrono::milliseconds(10);
// Frames decoded from a file per block.
constexpr size_t fileBlockFrames = 2048;
// A procedure block lasts 1/20 s at the procedure's own rate.
constexpr uint32_t procBlocksPerSecond = 20;
// Longest wait in Play for the first block; a source that takes longer starts late instead.
constexpr auto primeLimit = std::chrono::seconds(2);
} // namespace

AudioChannel::AudioChannel(CallbackGate& callbackGate) : gate(callbackGate), ring(ringFrames) {}

std::unique_ptr<AudioChannel> AudioChannel::ForFile(std::unique_ptr<FileDecoder> fileDecoder,
                                                    CallbackGate& gate) {
    std::unique_ptr<AudioChannel> channel(new (std::nothrow) AudioChannel(gate));
    if (!channel || !fileDecoder) {
        return nullptr;
    }
    channel->decoder = std::move(fileDecoder);
    channel->StartFeeder();
    return channel;
}

std::unique_ptr<AudioChannel> AudioChannel::ForProcedure(uint32_t streamHandle, uint32_t frequency,
                                                         uint32_t channelCount,
                                                         AudioStreamProc procedure, void* userValue,
                                                         CallbackGate& gate) {
    if (procedure == nullptr) {
        return nullptr;
    }
    std::unique_ptr<AudioChannel> channel(new (std::nothrow) AudioChannel(gate));
    if (!channel || !channel->converter.ConfigurePcm16(frequency, channelCount, deviceRate)) {
        return nullptr;
    }
    channel->proc = procedure;
    channel->user = userValue;
    channel->handle = streamHandle;
    const uint32_t blockFrames = std::max<uint32_t>(1, frequency / procBlocksPerSecond);
    channel->procBlock.assign(static_cast<size_t>(blockFrames) * channelCount, 0);
    channel->StartFeeder();
    return channel;
}

AudioChannel::~AudioChannel() {
    {
        std::lock_guard<std::mutex> lock(feederMutex);
        quit = true;
    }
    feederWake.notify_one();
    if (feeder.joinable()) {
        feeder.join();
    }
}

void AudioChannel::StartFeeder() {
    feeder = std::thread([this] { FeederLoop(); });
}

void AudioChannel::FeederLoop() {
    std::unique_lock<std::mutex> lock(feederMutex);
    while (!quit) {
        if (state.load(std::memory_order_relaxed) != stopped || priming) {
            if (stagingRead < staging.size()) {
                stagingRead +=
                    ring.Write(staging.data() + stagingRead, (staging.size() - stagingRead) / 2) *
                    2;
            }
            if (priming && (stagingRead < staging.size() || ended)) {
                priming = false;
                primed.notify_all();
            }
            if (stagingRead == staging.size() && !ended) {
                MakeBlock();
                continue;
            }
        }
        feederWake.wait_for(lock, feederPoll);
    }
    priming = false;
    primed.notify_all();
}

void AudioChannel::MakeBlock() {
    staging.clear();
    stagingRead = 0;
    atStart = false;
    if (decoder) {
        staging.resize(fileBlockFrames * 2);
        const size_t got = decoder->Read(staging.data(), fileBlockFrames);
        staging.resize(got * 2);
        ended = got < fileBlockFrames;
        return;
    }
    const auto bytes = static_cast<uint32_t>(procBlock.size() * sizeof(int16_t));
    const uint32_t written = std::min(bytes, proc(handle, procBlock.data(), bytes, user));
    std::memset(reinterpret_cast<uint8_t*>(procBlock.data()) + written, 0, bytes - written);
    const uint8_t* planes[1] = {reinterpret_cast<const uint8_t*>(procBlock.data())};
    const size_t channelCount = static_cast<size_t>(converter.InputChannels());
    converter.Convert(planes, static_cast<int>(procBlock.size() / channelCount), staging);
}

bool AudioChannel::Play(bool restart) {
    if (restart) {
        state.store(stopped, std::memory_order_seq_cst);
        gate.WaitForCallbacks();
        // Every start is the stream's first loop again, as the file has it: no echo or reverb tail
        // of the last play, the chorus's sweep at its start.
        RenewEffects();
        std::unique_lock<std::mutex> lock(feederMutex);
        if (decoder && !atStart && !decoder->Rewind()) {
            return false;
        }
        if (!decoder) {
            converter.Reset();
        }
        atStart = true;
        ring.Reset();
        staging.clear();
        stagingRead = 0;
        ended = false;
        stage.Start(volume.load(std::memory_order_relaxed),
                    loudnessGain.load(std::memory_order_relaxed));
        // The device starts only once the ring is full: a stream then begins with its own first
        // frame, not with silence that a late feeder left, and effects that run through time
        // (the chorus's sweep) stay in step with an offline rendering of the same sound.
        priming = true;
        feederWake.notify_one();
        primed.wait_for(lock, primeLimit, [this] { return !priming; });
    }
    state.store(playing, std::memory_order_seq_cst);
    feederWake.notify_one();
    return true;
}

void AudioChannel::Pause() {
    state.store(paused, std::memory_order_seq_cst);
}

void AudioChannel::Stop() {
    state.store(stopped, std::memory_order_seq_cst);
}

bool AudioChannel::IsPlaying() const {
    return state.load(std::memory_order_relaxed) == playing;
}

void AudioChannel::SetVolume(float value) {
    volume.store(std::clamp(value, 0.0f, 1.0f), std::memory_order_relaxed);
}

void AudioChannel::SetPhoneLoudness(float gain) {
    loudnessGain.store(gain, std::memory_order_relaxed);
}

bool AudioChannel::AddEffect(uint32_t effectHandle, AudioEffectKind kind, int priority) {
    std::unique_ptr<AudioEffect> effect = AudioEffect::Create(kind);
    if (!effect) {
        return false;
    }
    const auto place = std::find_if(effects.begin(), effects.end(),
                                    [priority](const Effect& e) { return e.priority < priority; });
    effects.insert(place, Effect{effectHandle, kind, priority, std::move(effect)});
    PublishChain();
    return true;
}

bool AudioChannel::RemoveEffect(uint32_t effectHandle) {
    const auto found =
        std::find_if(effects.begin(), effects.end(),
                     [effectHandle](const Effect& e) { return e.handle == effectHandle; });
    if (found == effects.end()) {
        return false;
    }
    // Destroyed at the end of this function, after the callback has let go of it.
    const std::unique_ptr<AudioEffect> removed = std::move(found->effect);
    effects.erase(found);
    PublishChain();
    return true;
}

void AudioChannel::RenewEffects() {
    // Destroyed at the end of this function, after the callback has let go of them.
    std::vector<std::unique_ptr<AudioEffect>> replaced;
    for (Effect& e : effects) {
        replaced.push_back(std::exchange(e.effect, AudioEffect::Create(e.kind)));
    }
    PublishChain();
}

void AudioChannel::PublishChain() {
    auto next = std::make_unique<Chain>();
    for (const Effect& e : effects) {
        next->push_back(e.effect.get());
    }
    chain.store(next.get(), std::memory_order_seq_cst);
    gate.WaitForCallbacks();
    publishedChain = std::move(next);
}

void AudioChannel::MixInto(float* out, size_t count) {
    if (state.load(std::memory_order_seq_cst) != playing) {
        return;
    }
    const Chain* effectChain = chain.load(std::memory_order_seq_cst);
    const float target = volume.load(std::memory_order_relaxed);
    const float loudness = loudnessGain.load(std::memory_order_relaxed);
    for (size_t done = 0; done < count;) {
        const size_t n = std::min(count - done, mixFrames);
        const size_t got = ring.Read(scratch.data(), n);
        std::fill(scratch.begin() + static_cast<std::ptrdiff_t>(got * 2),
                  scratch.begin() + static_cast<std::ptrdiff_t>(n * 2), 0.0f);
        stage.Process(scratch.data(), n, effectChain, target, loudness);
        for (size_t i = 0; i < n * 2; ++i) {
            out[done * 2 + i] += scratch[i];
        }
        done += n;
    }
}
