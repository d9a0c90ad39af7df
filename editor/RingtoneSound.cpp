#include "editor/RingtoneSound.h"

#include "platform/OfflineOutput.h"
#include "widgets/WavHeader.h"

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

// The wave's media and edits with the fade-out `shift` seconds earlier.
void CopyWithFadeOutMoved(const EditedWave& from, int32_t shift, EditedWave& to) {
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

} // namespace

int32_t RingtoneSeconds(const RingtoneSound& sound) {
    return std::max(0, sound.cutEnd - sound.cutStart);
}

bool RenderRingtoneSound(const EditedWave& whole, const RingtoneSound& sound, int32_t maxSeconds,
                         RingtoneSink& sink, const RenderProgress& going) {
    const int32_t shift = maxSeconds > 0 ? std::max(0, RingtoneSeconds(sound) - maxSeconds) : 0;
    EditedWave shortened;
    const bool moved = shift > 0 && whole.loaded;
    if (moved) {
        CopyWithFadeOutMoved(whole, shift, shortened);
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
            good = sink.Write(block.data(), block.size() / static_cast<size_t>(channels)) &&
                   Advance(going, s + 1, seconds);
            continue;
        }
        converted.clear();
        good = output->Process(block.data(), block.size() / static_cast<size_t>(channels),
                               converted) &&
               pass() && Advance(going, s + 1, seconds);
    }
    if (good && output && written < framesOut) {
        converted.clear();
        good = output->Finish(converted) && pass();
    }
    return good;
}
