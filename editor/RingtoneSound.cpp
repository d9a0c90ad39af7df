#include "editor/RingtoneSound.h"

#include "platform/OfflineOutput.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool Plain(const EffectSet& effects) {
    return effects.volume >= 100 && !effects.echo && !effects.reverb && !effects.chorus &&
           !effects.phoneLoudness;
}

} // namespace

int32_t RingtoneSeconds(const RingtoneSound& sound) {
    return std::max(0, sound.cutEnd - sound.cutStart);
}

bool RenderRingtoneSound(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                         RingtoneSink& sink) {
    const int32_t byteRate = wave.byteRate;
    const int32_t channels = wave.channels;
    const int32_t sampleRate = wave.sampleRate;
    int32_t seconds = RingtoneSeconds(sound);
    if (maxSeconds > 0) {
        seconds = std::min(seconds, maxSeconds);
    }
    if (!wave.loaded || byteRate <= 0 || channels <= 0 || sampleRate <= 0 || seconds <= 0 ||
        sound.cutStart < 1 || sound.effects.volume < 1 || sound.effects.volume > 100) {
        return false;
    }
    std::unique_ptr<OfflineOutput> output;
    if (!Plain(sound.effects)) {
        output = OfflineOutput::Create(OfflineOutput::Settings{
            static_cast<uint32_t>(sampleRate), static_cast<uint32_t>(channels), sound.effects});
        if (!output) {
            return false;
        }
    }
    if (!sink.Begin(output ? 2 : channels, output ? OfflineOutput::rate : sampleRate)) {
        return false;
    }
    // One second per block; the fades depend only on each word's place, not on the blocks.
    std::vector<int16_t> block(static_cast<size_t>(byteRate) / 2);
    std::vector<int16_t> converted;
    const int64_t frames = int64_t{seconds} * sampleRate;
    // What the device gets for those frames; the converter's last held-back frames are cut.
    const int64_t framesOut = output ? frames * OfflineOutput::rate / sampleRate : frames;
    int64_t position = int64_t{sound.cutStart} * byteRate;
    int64_t written = 0;
    const auto pass = [&] {
        const auto take =
            std::min<int64_t>(static_cast<int64_t>(converted.size() / 2), framesOut - written);
        written += take;
        return sink.Write(converted.data(), static_cast<size_t>(take));
    };
    bool good = true;
    for (int32_t s = 0; good && s < seconds; ++s, position += byteRate) {
        if (position > INT32_MAX ||
            wave.RenderEdited(block.data(), byteRate, static_cast<int32_t>(position)) != byteRate) {
            return false;
        }
        if (!output) {
            good = sink.Write(block.data(), block.size() / static_cast<size_t>(channels));
            continue;
        }
        converted.clear();
        good = output->Process(block.data(), block.size() / static_cast<size_t>(channels),
                               converted) &&
               pass();
    }
    if (good && output && written < framesOut) {
        converted.clear();
        good = output->Finish(converted) && pass();
    }
    return good;
}
