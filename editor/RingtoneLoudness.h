// How loud the ringtone is as it sounds (range, silence, fades, effects and volume), as EBU
// R128 integrated loudness, and for phone loudness the gain that brings it to its target:
// measured on the offline rendering through the preview's own output stage, then measured again
// with the gain and the limiter (on that rendering), and corrected, since the limiter takes some
// loudness off the loudest songs. The volume ruler's tooltip, the preview and the ringtone file all
// use it.
//
// At most the first `measuredSeconds` are measured, which keeps a measurement of a long range
// quick enough for the user-interface thread; a ringtone is seldom longer.
// Any one thread; the working file is only read.
#pragma once

#include "editor/RingtoneSound.h"
#include "widgets/EditedWave.h"

#include <cstdint>

struct RingtoneLoudness {
    static constexpr int32_t measuredSeconds = 60;

    // False when the ringtone can't be rendered (nothing loaded, values that don't fit).
    bool measured = false;
    // Integrated loudness without phone loudness, in LUFS; -infinity for silence.
    double lufs = 0.0;

    // Measures the first maxSeconds (0: all, within measuredSeconds) of the ringtone and, when
    // its phone loudness is on, sets its loudnessGainDb to what brings it to loudnessTarget
    // (0 for silence, which no gain brings anywhere).
    static RingtoneLoudness Measure(const EditedWave& wave, RingtoneSound& sound,
                                    int32_t maxSeconds);
};
