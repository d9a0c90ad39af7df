// Renders the ringtone offline exactly as the preview plays its first loop: the cut range with
// the silence and the fades through RenderEdited, then, when the volume is below 100 or an
// effect is ticked, the preview's way to the device (OfflineOutput: the same conversion to
// stereo at 44100 Hz, the same effects, volume and 16-bit conversion), in one pass. Without
// effects at full volume the sound is left as RenderEdited made it, in the working file's rate
// and channels. The result is a canonical 16-bit PCM WAV file.
//
// A ringtone cut short (the iPhone's 40 seconds) ends as the whole one does: the fade-out moves
// back with the end, so that it ends at the new end.
//
// Reads the wave's fields once at the start; call it on the user-interface thread, where
// nothing changes them meanwhile. The working file is only read.
#pragma once

#include "widgets/EditedWave.h"

#include <cstdint>
#include <functional>
#include <string>

struct RingtoneSound {
    // The cut ruler's markers, in ruler seconds: the ringtone runs from the start of second
    // cutStart to the start of second cutEnd.
    int32_t cutStart = 0;
    int32_t cutEnd = 0;
    // The volume ruler, 1 to 100 percent.
    int32_t volume = 100;
    bool echo = false;
    bool reverb = false;
    bool chorus = false;
};

// Length in whole seconds of what RenderRingtone makes with no limit.
int32_t RingtoneSeconds(const RingtoneSound& sound);

// Hears how far a render has got after each second, in percent; false stops it.
using RenderProgress = std::function<bool(int32_t percent)>;

// Writes the first maxSeconds (0: all) of the ringtone to path. False, with path removed, when
// the working file can't be read, the values don't fit it, path can't be written, or `going`
// (which may be empty) said stop.
bool RenderRingtone(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path, const RenderProgress& going = {});
