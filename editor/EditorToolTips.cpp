#include "editor/EditorToolTips.h"

#include "editor/RingtoneEditor.h"
#include "editor/RingtoneLoudness.h"
#include "platform/EffectSet.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Seconds(int32_t seconds) {
    return std::to_string(seconds) + " s";
}

// From the start of ruler second `from` to the start of ruler second `to`.
std::string Span(int32_t from, int32_t to) {
    return EditorToolTips::Clock(from - 1) + " to " + EditorToolTips::Clock(to - 1);
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
    if (editor.media == nullptr || !editor.media->loaded || editor.cutMarkers == nullptr ||
        editor.timeMarkers == nullptr) {
        return tips;
    }
    const int32_t cutStart = editor.cutMarkers->startValue;
    const int32_t cutEnd = editor.cutMarkers->endValue;
    const int32_t silence = editor.media->silenceLength;
    const int32_t fadeIn = editor.media->fadeInLength;
    const int32_t fadeOut = editor.media->fadeOutLength;
    const std::string ringtone =
        "Ringtone " + Span(cutStart, cutEnd) + ", " + Seconds(cutEnd - cutStart);

    tips.cut += "\n" + ringtone;
    tips.time += "\nPosition " + Clock(editor.timeMarkers->startValue - 1);
    tips.waveform += "\n" + ringtone;
    if (silence > 0) {
        tips.waveform += "; silence " + Seconds(silence);
    }
    tips.waveform += "; fade-in " + Seconds(fadeIn) + "; fade-out " + Seconds(fadeOut);
    const int32_t fadeInFrom = editor.media->fadeInStart;
    tips.fadeIn += "\nFade-in " + Seconds(fadeIn) + ", " + Span(fadeInFrom, fadeInFrom + fadeIn);
    const int32_t fadeOutFrom = editor.media->fadeOutStart;
    tips.fadeOut +=
        "\nFade-out " + Seconds(fadeOut) + ", " + Span(fadeOutFrom, fadeOutFrom + fadeOut);
    tips.silence += "\nSilence " + Seconds(silence);
    return tips;
}

std::string EditorToolTips::Volume(int32_t percent) {
    return "Drag to set how loud the ringtone is, and the song while you listen to it; after a "
           "drag, Left and Right change it by 1%, Home and End set 1% and 100%\nVolume " +
           std::to_string(percent) + "%";
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
