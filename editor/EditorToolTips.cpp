#include "editor/EditorToolTips.h"

#include "dsp/EffectSet.h"
#include "editor/RingtoneEditor.h"
#include "editor/RingtoneLoudness.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// The words of the values: short in a tooltip ("Ringtone 0:00 to 0:44, 44 s"), whole for a
// screen reader ("Ringtone from 0:00 to 0:44, 44 seconds").
struct Words {
    const char* unit;
    const char* from;
};
constexpr Words kTipWords{" s", ""};
constexpr Words kSpokenWords{" seconds", "from "};

std::string Seconds(int32_t seconds, const Words& words) {
    return std::to_string(seconds) + words.unit;
}

// From the start of ruler second `from` to the start of ruler second `to`.
std::string Span(int32_t from, int32_t to, const Words& words) {
    return words.from + EditorToolTips::Clock(from - 1) + " to " + EditorToolTips::Clock(to - 1);
}

// The values alone, each field empty before a load.
EditorToolTips Values(const RingtoneEditor& editor, const Words& words) {
    EditorToolTips values;
    if (editor.media == nullptr || !editor.media->loaded || editor.cutMarkers == nullptr ||
        editor.timeMarkers == nullptr) {
        return values;
    }
    const int32_t cutStart = editor.cutMarkers->startValue;
    const int32_t cutEnd = editor.cutMarkers->endValue;
    const int32_t silence = editor.media->silenceLength;
    const int32_t fadeIn = editor.media->fadeInLength;
    const int32_t fadeOut = editor.media->fadeOutLength;
    values.cut =
        "Ringtone " + Span(cutStart, cutEnd, words) + ", " + Seconds(cutEnd - cutStart, words);
    values.time = "Position " + EditorToolTips::Clock(editor.timeMarkers->startValue - 1);
    values.waveform = values.cut;
    if (silence > 0) {
        values.waveform += "; silence " + Seconds(silence, words);
    }
    values.waveform +=
        "; fade-in " + Seconds(fadeIn, words) + "; fade-out " + Seconds(fadeOut, words);
    const int32_t fadeInFrom = editor.media->fadeInStart;
    values.fadeIn =
        "Fade-in " + Seconds(fadeIn, words) + ", " + Span(fadeInFrom, fadeInFrom + fadeIn, words);
    const int32_t fadeOutFrom = editor.media->fadeOutStart;
    values.fadeOut = "Fade-out " + Seconds(fadeOut, words) + ", " +
                     Span(fadeOutFrom, fadeOutFrom + fadeOut, words);
    values.silence = "Silence " + Seconds(silence, words);
    return values;
}

} // namespace

EditorToolTips EditorToolTips::For(const RingtoneEditor& editor) {
    // A drag stops short of a ruler's ends; the keys take the marker all the way.
    const std::string keys =
        "; after a drag, Left and Right move it a second, Home and End to the ruler's ends";
    EditorToolTips tips;
    tips.cut = "Drag the flags to choose where the ringtone starts and ends" + keys;
    tips.time = "Drag the marker to choose where the preview plays from" + keys;
    tips.waveform = "The sound, one column per second, with the ringtone and its fades. "
                    "Right-click or press S to suggest the catchiest part";
    tips.fadeIn = "Drag the marker to where the fade-in ends" + keys;
    tips.fadeOut = "Drag the marker to where the fade-out begins" + keys;
    tips.silence = "Drag the marker to put silence before the ringtone" + keys;
    const EditorToolTips values = Values(editor, kTipWords);
    for (auto [tip, value] : {std::pair{&tips.cut, &values.cut},
                              {&tips.time, &values.time},
                              {&tips.waveform, &values.waveform},
                              {&tips.fadeIn, &values.fadeIn},
                              {&tips.fadeOut, &values.fadeOut},
                              {&tips.silence, &values.silence}}) {
        if (!value->empty()) {
            *tip += "\n" + *value;
        }
    }
    return tips;
}

EditorToolTips EditorToolTips::Spoken(const RingtoneEditor& editor) {
    return Values(editor, kSpokenWords);
}

std::string EditorToolTips::SpokenVolume(int32_t percent) {
    return "Volume " + std::to_string(percent) + "%";
}

std::string EditorToolTips::Volume(int32_t percent) {
    return "Drag to set how loud the ringtone is, and the song while you listen to it; after a "
           "drag, Left and Right change it by 1%, Home and End set 1% and 100%\n" +
           SpokenVolume(percent);
}

std::string EditorToolTips::Loudness(const RingtoneLoudness& loudness, const EffectSet& effects) {
    if (!loudness.measured) {
        return "";
    }
    if (!std::isfinite(loudness.lufs)) {
        return "\nThe ringtone is silent";
    }
    char text[96];
    std::snprintf(text, sizeof text, "\nThe ringtone: %.1f LUFS", loudness.lufs);
    std::string tip = text;
    if (effects.phoneLoudness) {
        std::snprintf(text, sizeof text, ", brought to %.1f LUFS for the phone",
                      effects.loudnessTarget);
        tip += text;
    }
    return tip;
}

std::string EditorToolTips::Clock(int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}
