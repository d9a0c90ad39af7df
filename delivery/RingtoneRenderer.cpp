#include "delivery/RingtoneRenderer.h"

#include "delivery/WavFileWriter.h"
#include "platform/OfflineOutput.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool Plain(const RingtoneSound& sound) {
    return sound.volume >= 100 && !sound.echo && !sound.reverb && !sound.chorus;
}

} // namespace

int32_t RingtoneSeconds(const RingtoneSound& sound) {
    return std::max(0, sound.cutEnd - sound.cutStart);
}

bool RenderRingtone(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path) {
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
            good = writer.Write(block.data(), static_cast<size_t>(byteRate));
            continue;
        }
        converted.clear();
        good =
            output->Process(block.data(), block.size() / static_cast<size_t>(channels), converted);
        const auto take =
            std::min<int64_t>(static_cast<int64_t>(converted.size() / 2), framesOut - written);
        good = good && writer.Write(converted.data(), static_cast<size_t>(take) * 4);
        written += take;
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
