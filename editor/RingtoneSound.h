// The ringtone as it sounds: the cut range with the silence and the fades (RenderEdited), then,
// when the volume is below 100, an effect is ticked or phone loudness is on, the preview's way
// to the device (OfflineOutput: the same conversion to stereo at 44100 Hz, the same effects,
// volume, loudness gain, limiter and 16-bit conversion), in one pass, as the preview plays its
// first loop. Without any of them the sound is left as RenderEdited made it, in the working
// file's rate and channels. The ringtone file and the loudness measurement both take it from
// here. Phone loudness keeps the effects' output whole (RingtoneTake), measures it and levels
// it with the gain it found, so the effects run once.
//
// Reads the wave's fields once at the start; call it on the user-interface thread, where
// nothing changes them meanwhile, or elsewhere on a copy of them (CopyEditedWave). The working
// file is only read.
#pragma once

#include "dsp/EffectSet.h"
#include "widgets/EditedWave.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct RingtoneSound {
    // The cut ruler's markers, in ruler seconds: the ringtone runs from the start of second
    // cutStart to the start of second cutEnd.
    int32_t cutStart = 0;
    int32_t cutEnd = 0;
    EffectSet effects;
};

// Where the rendered sound goes.
class RingtoneSink {
public:
    virtual ~RingtoneSink() = default;
    // Once, before any frames: their channel count and rate. False stops the rendering.
    virtual bool Begin(int32_t channels, int32_t rate) = 0;
    // Interleaved 16-bit frames, in order. False stops the rendering.
    virtual bool Write(const int16_t* pcm, size_t frames) = 0;
};

// Copies the wave's media and edit fields into a wave of its own, with the fade-out `shift`
// seconds earlier; from must be loaded. A render on another thread reads the copy while the
// user goes on editing.
void CopyEditedWave(const EditedWave& from, int32_t shift, EditedWave& to);

// Length in whole seconds of what RenderRingtoneSound makes with no limit.
int32_t RingtoneSeconds(const RingtoneSound& sound);

// The seconds of the song's own sound in a ringtone of ringtoneSeconds whose first
// silenceSeconds are the inserted silence; 0 when the silence fills it.
int32_t SoundSeconds(int32_t ringtoneSeconds, int32_t silenceSeconds);

// Hears how far a render has got after each second, in percent; false stops it.
using RenderProgress = std::function<bool(int32_t percent)>;

// Sends the first maxSeconds (0: all) of the ringtone to sink, which gets exactly that
// length. A ringtone cut short (the iPhone's 40 seconds) ends as the whole one does: the
// fade-out moves back with the end, so that it ends at the new end. False when the working
// file can't be read, the values don't fit it, the sink refused or `going` (which may be
// empty) said stop.
bool RenderRingtoneSound(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                         RingtoneSink& sink, const RenderProgress& going = {});

// The ringtone through the converter and the effects, kept whole before the volume: what the
// output stage's volume, loudness gain and limiter then work on (OfflineOutput's first half).
struct RingtoneTake {
    // Stereo float frames at OfflineOutput::rate: the ringtone, then `OutputStage::latency`
    // frames of the effects' tail, which the limiter looks ahead into.
    std::vector<float> frames;
    // Frames of the ringtone itself.
    size_t length = 0;
};

// As RenderRingtoneSound, but keeps the effects' output in take, which is always stereo at
// OfflineOutput::rate.
bool TakeRingtoneSound(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                       RingtoneTake& take, const RenderProgress& going = {});

// Sends the first `frames` (at most the take's length) of the take to sink with the volume,
// loudness gain and limiter of effects: what RenderRingtoneSound would have sent with them.
// False when the sink refused.
bool LevelRingtoneTake(const RingtoneTake& take, const EffectSet& effects, size_t frames,
                       RingtoneSink& sink);
