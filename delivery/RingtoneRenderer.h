// Writes the ringtone as it sounds (RenderRingtoneSound) into a canonical 16-bit PCM WAV file.
// With phone loudness on it keeps the effects' output (RingtoneTake), measures it and fits the
// gain (RingtoneLoudness), then levels it into the file, so the file comes out at the target
// whatever gain the caller's set carried.
//
// A ringtone cut short (the iPhone's 40 seconds) ends as the whole one does: the fade-out moves
// back with the end, so that it ends at the new end.
//
// Reads the wave's fields once at the start; call it on the user-interface thread, where
// nothing changes them meanwhile. The working file is only read.
#pragma once

#include "editor/RingtoneSound.h"
#include "widgets/EditedWave.h"

#include <cstdint>
#include <functional>
#include <string>

// Writes the first maxSeconds (0: all) of the ringtone to path. False, with path removed, when
// the working file can't be read, the values don't fit it, path can't be written, or `going`
// (which may be empty) said stop. When writing path failed, *systemError (when given) holds the
// system's error number, else 0.
bool RenderRingtone(const EditedWave& wave, const RingtoneSound& sound, int32_t maxSeconds,
                    const std::string& path, const RenderProgress& going = {},
                    int* systemError = nullptr);
