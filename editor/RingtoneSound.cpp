#include "editor/RingtoneSound.h"

#include "dsp/OfflineLevel.h"
#include "platform/OfflineOutput.h"
#include "wav/WavHeader.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool Plain(const EffectSet& effects) {
    return effects.volume >= 100 && !effects.echo && !effects.reverb && !effects.chorus &&
           !effects.phoneLoudness;
}

bool Advance(const RenderProgress& going, int32_t done, int32_t seconds) {
    return !going || going(static_cast<int32_t>(int64_t{done} * 100 / seconds));
}

} // namespace

void CopyEditedWave(const EditedWave& from, int32_t shift, EditedWave& to) {
    WavHeader header;
    header.channels = from.channels;
    header.sampleRate = from.sampleRate;
    header.bitsPerSample = from.bitsPerSample;
    header.byteRate = from.byteRate;
    header.dataOffset = from.dataOffset;
    header.dataSize = from.dataSize;
    header.durationSeconds = from.durationSeconds;
    to.SetMedia(header, from.MediaPath());
    to.silenceStart = from.silenceStart.load();
    to.silenceLength = from.silenceLength.load();
    to.fadeInStart = from.fadeInStart.load();
    to.fadeInLength = from.fadeInLength.load();
    to.fadeOutStart = from.fadeOutStart - shift;
    to.fadeOutLength = from.fadeOutLength.load();
}

int32_t RingtoneSeconds(const RingtoneSound& sound) {
    return std::max(0, sound.cutEnd - sound.cutStart);
}

int32_t SoundSeconds(int32_t ringtoneSeconds, int32_t silenceSeconds) {
    return std::max(0, ringtoneSeconds - silenceSeconds);
}

namespace {

// The edit, second by second, in the working file's rate and channels: start(channels, rate,
// frames) hears the format and the whole length first, then each(block, frames) gets every
// second. False when the working file can't be read, the values don't fit it, start or each
// said no, or `going` said stop.
template <typename Start, typename Each>
bool EachSecond(const EditedWave& whole, const RingtoneSound& sound, int32_t maxSeconds,
                const RenderProgress& going, Start start, Each each) {
    const int32_t shift = maxSeconds > 0 ? std::max(0, RingtoneSeconds(sound) - maxSeconds) : 0;
    EditedWave shortened;
    const bool moved = shift > 0 && whole.loaded;
    if (moved) {
        CopyEditedWave(whole, shift, shortened);
    }
    const EditedWave& wave = moved ? shortened : whole;
    const int32_t byteRate = wave.byteRate;
    const int32_t channels = wave.channels;
    const int32_t sampleRate = wave.sampleRate;
    int32_t seconds = RingtoneSeconds(sound);
    if (maxSeconds > 0) {
        seconds = std::min(seconds, maxSeconds);
    }
    if (!wave.loaded || byteRate <= 0 || channels <= 0 || sampleRate <= 0 || seconds <= 0 ||
        sound.cutStart < 1 || sound.effects.volume < 1 || sound.effects.volume > 100 ||
        !start(channels, sampleRate, int64_t{seconds} * sampleRate)) {
        return false;
    }
    // One second per block; the fades depend only on each word's place, not on the blocks.
    std::vector<int16_t> block(static_cast<size_t>(byteRate) / 2);
    int64_t position = int64_t{sound.cutStart} * byteRate;
    for (int32_t s = 0; s < seconds; ++s, position += byteRate) {
        if (position > INT32_MAX ||
            wave.RenderEdited(block.data(), byteRate, static_cast<int32_t>(position)) != byteRate ||
            !each(block.data(), block.size() / static_cast<size_t>(channels)) ||
            !Advance(going, s + 1, seconds)) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<OfflineOutput> CreateOutput(int32_t channels, int32_t rate,
                                            const EffectSet& effects) {
    return OfflineOutput::Create(OfflineOutput::Settings{static_cast<uint32_t>(rate),
                                                         static_cast<uint32_t>(channels), effects});
}

// Frames of the device's rate for frames of the working file's; the converter's last held-back
// frames are cut.
size_t FramesOut(int64_t frames, int32_t rate) {
    return static_cast<size_t>(frames * OfflineOutput::rate / rate);
}

} // namespace

bool RenderRingtoneSound(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                         RingtoneSink& sink, const RenderProgress& going) {
    if (Plain(sound.effects)) {
        return EachSecond(
            wave, sound, maxSeconds, going,
            [&](int32_t channels, int32_t rate, int64_t) { return sink.Begin(channels, rate); },
            [&](const int16_t* block, size_t frames) { return sink.Write(block, frames); });
    }
    std::unique_ptr<OfflineOutput> output;
    std::vector<int16_t> converted;
    size_t framesOut = 0;
    size_t written = 0;
    const auto pass = [&] {
        const size_t take = std::min(converted.size() / 2, framesOut - written);
        written += take;
        return sink.Write(converted.data(), take);
    };
    const auto start = [&](int32_t channels, int32_t rate, int64_t frames) {
        output = CreateOutput(channels, rate, sound.effects);
        framesOut = FramesOut(frames, rate);
        return output && sink.Begin(2, OfflineOutput::rate);
    };
    const auto each = [&](const int16_t* block, size_t frames) {
        converted.clear();
        return output->Process(block, frames, converted) && pass();
    };
    if (!EachSecond(wave, sound, maxSeconds, going, start, each)) {
        return false;
    }
    converted.clear();
    return written == framesOut || (output->Finish(converted) && pass());
}

bool TakeRingtoneSound(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                       RingtoneTake& take, const RenderProgress& going) {
    std::unique_ptr<OfflineOutput> output;
    take.frames.clear();
    const auto start = [&](int32_t channels, int32_t rate, int64_t frames) {
        output = CreateOutput(channels, rate, sound.effects);
        take.length = FramesOut(frames, rate);
        take.frames.reserve((take.length + OutputStage::latency) * 2);
        return output != nullptr;
    };
    const auto each = [&](const int16_t* block, size_t frames) {
        return output->ProcessEffects(block, frames, take.frames);
    };
    if (!EachSecond(wave, sound, maxSeconds, going, start, each) ||
        !output->FinishEffects(take.frames)) {
        return false;
    }
    take.length = std::min(take.length, take.frames.size() / 2 - OutputStage::latency);
    return true;
}

bool LevelRingtoneTake(const RingtoneTake& take, const EffectSet& effects, size_t frames,
                       RingtoneSink& sink) {
    // In pieces that stay in the cache; the stage's volume and limiter don't depend on them.
    constexpr size_t piece = 4096;
    const size_t length = std::min(frames, take.length);
    const size_t end = std::min(take.frames.size() / 2, length + OutputStage::latency);
    OfflineLevel level(effects);
    std::vector<float> floats;
    std::vector<int16_t> pcm;
    size_t written = 0;
    bool good = sink.Begin(2, OfflineOutput::rate);
    for (size_t at = 0; good && at < end; at += piece) {
        const size_t count = std::min(piece, end - at);
        floats.assign(take.frames.begin() + static_cast<ptrdiff_t>(at * 2),
                      take.frames.begin() + static_cast<ptrdiff_t>((at + count) * 2));
        pcm.clear();
        level.Process(floats.data(), count, pcm);
        const size_t out = std::min(pcm.size() / 2, length - written);
        written += out;
        good = sink.Write(pcm.data(), out);
    }
    return good;
}
