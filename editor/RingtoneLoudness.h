// How loud the ringtone is as it sounds (range, silence, fades, effects and volume), as EBU
// R128 integrated loudness, and for phone loudness the gain that brings it to its target:
// measured on the effects' output kept once (RingtoneTake) at the volume, before the output's
// limiter (which touches only peaks above -0.3 dBFS), then levelled through the output stage
// with the gain and the true-peak limiter and corrected, since the limiter takes some loudness
// off the loudest songs: what it took is estimated from the power it took while that is under
// 1 LU, and measured again beyond. The volume ruler's tooltip, the preview and the ringtone file
// all use it.
//
// At most the first `measuredSeconds` are measured, which keeps a measurement of a long range
// quick; a ringtone is seldom longer.
// Any one thread; the working file is only read.
#pragma once

#include "editor/RingtoneSound.h"
#include "widgets/EditedWave.h"

#include <cstdint>
#include <vector>

struct RingtoneLoudness {
    static constexpr int32_t measuredSeconds = 60;

    // False when the ringtone can't be rendered (nothing loaded, values that don't fit, or
    // `going` said stop).
    bool measured = false;
    // Integrated loudness without phone loudness, in LUFS; -infinity for silence.
    double lufs = 0.0;
    // With phone loudness on, the loudnessGainDb that brings the ringtone to its
    // loudnessTarget; 0 when it is off, for silence (which no gain brings anywhere) and when
    // nothing was measured.
    double gainDb = 0.0;

    // Renders the first maxSeconds (0: all, within measuredSeconds) of the ringtone and measures
    // them as Measure of a take does; `going` hears the rendering's progress as in
    // RenderRingtoneSound.
    static RingtoneLoudness Measure(const EditedWave& wave, const RingtoneSound& sound,
                                    int32_t maxSeconds, const RenderProgress& going = {});
    // Measures the first measuredSeconds of a take of the ringtone with these effects and, when
    // their phone loudness is on, finds gainDb (their own loudnessGainDb is not read).
    // levelled, unless null, gets the measured part of the take levelled with that gain, as
    // the file gets it; it is left empty when phone loudness is off or the ringtone silent.
    static RingtoneLoudness Measure(const RingtoneTake& take, const EffectSet& effects,
                                    std::vector<int16_t>* levelled = nullptr);
};
