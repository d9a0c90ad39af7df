#include "delivery/RingtoneRenderer.h"

#include "editor/RingtoneLoudness.h"
#include "platform/OfflineOutput.h"
#include "wav/WavFileWriter.h"

#include <vector>

namespace {

class WavSink final : public RingtoneSink {
public:
    explicit WavSink(const std::string& wavPath) : path(wavPath) {}

    bool Begin(int32_t channelCount, int32_t rate) override {
        channels = channelCount;
        return writer.Open(path, channels, rate);
    }
    bool Write(const int16_t* pcm, size_t frames) override {
        return writer.Write(pcm, frames * static_cast<size_t>(channels) * 2);
    }

    WavFileWriter writer;

private:
    std::string path;
    int32_t channels = 0;
};

bool Render(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds, WavSink& sink,
            const RenderProgress& going) {
    if (!sound.effects.phoneLoudness) {
        return RenderRingtoneSound(wave, sound, maxSeconds, sink, going) && sink.writer.Close();
    }
    // The effects run once; the gain is measured on what they made and the file levelled with
    // it. The last measurement levelled it already when it covered the whole ringtone.
    RingtoneTake take;
    std::vector<int16_t> levelled;
    if (!TakeRingtoneSound(wave, sound, maxSeconds, take, going)) {
        return false;
    }
    const RingtoneLoudness loudness = RingtoneLoudness::Measure(take, sound.effects, &levelled);
    if (!loudness.measured) {
        return false;
    }
    EffectSet fitted = sound.effects;
    fitted.loudnessGainDb = loudness.gainDb;
    const bool whole = levelled.size() == take.length * 2;
    return (whole ? sink.Begin(2, OfflineOutput::rate) && sink.Write(levelled.data(), take.length)
                  : LevelRingtoneTake(take, fitted, take.length, sink)) &&
           sink.writer.Close();
}

} // namespace

bool RenderRingtone(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path, const RenderProgress& going, int* systemError) {
    WavSink sink(path);
    const bool rendered = Render(wave, sound, maxSeconds, sink, going);
    if (systemError != nullptr) {
        *systemError = rendered ? 0 : sink.writer.systemError;
    }
    return rendered;
}
