// What the user has set for how the ringtone sounds beyond its edit: the three effects, the
// volume ruler and "Phone loudness". One set travels from the editor panel (or the command
// line) to the preview's stream, through the AudioEngine, and to the offline rendering of the
// file, so both ends of the program read the same fields.
#pragma once

#include <cstdint>

struct EffectSet {
    // Integrated loudness that "Phone loudness" brings a ringtone to, in LUFS. Louder than the
    // streaming norm of -14: a phone's small speaker rings in a pocket or a noisy room, and
    // ringtones of the phones' own makers sit around -10. Louder still would leave the limiter
    // flattening every beat of a dynamic song.
    static constexpr double defaultLoudnessTarget = -10.0;
    // The true peak that phone loudness promises for the file as a player decodes it, in dBTP.
    static constexpr double promisedTruePeak = -1.0;

    bool chorus = false;
    bool echo = false;
    bool reverb = false;
    // The volume ruler, 1 to 100 percent.
    int32_t volume = 100;
    // "Phone loudness": the gain below brings the ringtone's integrated loudness to
    // loudnessTarget, and the output's limiter holds its true peak at -1 dBTP.
    bool phoneLoudness = false;
    double loudnessTarget = defaultLoudnessTarget;
    // The gain that measuring found for phoneLoudness (RingtoneLoudness fills it), in dB.
    double loudnessGainDb = 0.0;

    // What the output stage multiplies by for phone loudness; 0 while it is off.
    float LoudnessGain() const;
};
