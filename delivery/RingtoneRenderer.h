// Writes the ringtone as it sounds (RenderRingtoneSound) into a canonical 16-bit PCM WAV file.
// With phone loudness on it measures first and fits the gain (RingtoneLoudness), so the file
// comes out at the target whatever gain the caller's set carried.
//
// Reads the wave's fields once at the start; call it on the user-interface thread, where
// nothing changes them meanwhile. The working file is only read.
#pragma once

#include "editor/RingtoneSound.h"
#include "widgets/EditedWave.h"

#include <cstdint>
#include <string>

// Writes the first maxSeconds (0: all) of the ringtone to path. False, with path removed, when
// the working file can't be read, the values don't fit it, or path can't be written.
bool RenderRingtone(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path);
