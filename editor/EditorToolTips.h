// The editor's tooltips: a few words on what each ruler and the waveform are for, and, once
// media is loaded, the values they stand at in minutes and seconds, since the window has no
// room for numbers. Values are times on the timeline the rulers show (ruler second s starts
// s - 1 seconds in). Plain text without the toolkit; the panel hands it to its windows after
// every change, and tests read it without a display.
#pragma once

#include <cstdint>
#include <string>

class RingtoneEditor;
struct EffectSet;
struct RingtoneLoudness;

struct EditorToolTips {
    std::string cut;
    std::string time;
    std::string waveform;
    std::string fadeIn;
    std::string fadeOut;
    std::string silence;

    // What the editor's markers and edit fields say now; before a load only the purposes.
    static EditorToolTips For(const RingtoneEditor& editor);
    // The values alone in whole words, as a screen reader says them ("Ringtone from 0:31 to
    // 1:01, 30 seconds"); empty before a load.
    static EditorToolTips Spoken(const RingtoneEditor& editor);
    static std::string SpokenVolume(int32_t percent);
    // The volume ruler's, for a volume in percent: the ringtone is made at that volume, and the
    // source preview plays at it.
    static std::string Volume(int32_t percent);
    // What the volume ruler adds about the ringtone's loudness as it sounds; with phone
    // loudness on, also where that brings it. Empty before a measurement.
    static std::string Loudness(const RingtoneLoudness& loudness, const EffectSet& effects);
    // Seconds as minutes and two-digit seconds: 0:05, 1:30, 61:00.
    static std::string Clock(int32_t seconds);
};
