#include "delivery/RingtoneRenderer.h"

#include "delivery/WavFileWriter.h"
#include "platform/OfflineOutput.h"
#include "widgets/WavHeader.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool Plain(const RingtoneSound& sound) {
    return sound.volume >= 100 && !sound.echo && !sound.reverb && !sound.chorus;
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

bool RenderRingtone(const EditedWave& whole, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path, const RenderProgress& going) {
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
        sound.cutStart < 1 || sound.volume < 1 || sound.volume > 100) {
        return false;
    }
    std::unique_ptr<OfflineOutput> output;
    if (!Plain(sound)) {
        OfflineOutput::Settings settings;
        settings.frequency = static_cast<uint32_t>(sampleRate);
        settings.channels = static_cast<uint32_t>(channels);
        // As the engine passes the ruler's value to the audio layer.
        settings.volume = static_cast<float>(sound.volume / 100.0);
        settings.echo = sound.echo;
        settings.reverb = sound.reverb;
        settings.chorus = sound.chorus;
        output = OfflineOutput::Create(settings);
        if (!output) {
            return false;
        }
    }
    WavFileWriter writer;
    if (!writer.Open(path, output ? 2 : channels, output ? OfflineOutput::rate : sampleRate)) {
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
    bool good = true;
    for (int32_t s = 0; good && s < seconds; ++s, position += byteRate) {
        if (position > INT32_MAX ||
            wave.RenderEdited(block.data(), byteRate, static_cast<int32_t>(position)) != byteRate) {
            return false;
        }
        if (!output) {
            good = writer.Write(block.data(), static_cast<size_t>(byteRate)) &&
                   Advance(going, s + 1, seconds);
            continue;
        }
        converted.clear();
        good =
            output->Process(block.data(), block.size() / static_cast<size_t>(channels), converted);
        const auto take =
            std::min<int64_t>(static_cast<int64_t>(converted.size() / 2), framesOut - written);
        good = good && writer.Write(converted.data(), static_cast<size_t>(take) * 4);
        written += take;
        good = good && Advance(going, s + 1, seconds);
    }
    if (good && output && written < framesOut) {
        converted.clear();
        good = output->Finish(converted);
        const auto take =
            std::min<int64_t>(static_cast<int64_t>(converted.size() / 2), framesOut - written);
        good = good && writer.Write(converted.data(), static_cast<size_t>(take) * 4);
    }
    return good && writer.Close();
}
