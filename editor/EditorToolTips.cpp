#include "editor/EditorToolTips.h"

#include "dsp/EffectSet.h"
#include "editor/RingtoneEditor.h"
#include "editor/RingtoneLoudness.h"
#include "text/Translation.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// The words of the values: short in a tooltip ("Ringtone 0:00 to 0:44, 44 s"), whole for a
// screen reader ("Ringtone from 0:00 to 0:44, 44 seconds").
enum class Words { Tip, Spoken };

std::string Seconds(int32_t seconds, Words words) {
    const std::string number = std::to_string(seconds);
    return words == Words::Tip
               ? FillIn(Tr("%s s"), {number})
               : FillIn(TrPlural("%s second", "%s seconds", static_cast<unsigned long>(seconds)),
                        {number});
}

// From the start of ruler second `from` to the start of ruler second `to`.
std::string Span(int32_t from, int32_t to, Words words) {
    return FillIn(words == Words::Tip ? Tr("%1$s to %2$s") : Tr("from %1$s to %2$s"),
                  {EditorToolTips::Clock(from - 1), EditorToolTips::Clock(to - 1)});
}

// The values alone, each field empty before a load.
EditorToolTips Values(const RingtoneEditor& editor, Words words) {
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
    values.cut = FillIn(Tr("Ringtone %1$s, %2$s"),
                        {Span(cutStart, cutEnd, words), Seconds(cutEnd - cutStart, words)});
    values.time =
        FillIn(Tr("Position %s"), {EditorToolTips::Clock(editor.timeMarkers->startValue - 1)});
    values.waveform = values.cut;
    if (silence > 0) {
        values.waveform += FillIn(Tr("; silence %s"), {Seconds(silence, words)});
    }
    values.waveform += FillIn(Tr("; fade-in %1$s; fade-out %2$s"),
                              {Seconds(fadeIn, words), Seconds(fadeOut, words)});
    const int32_t fadeInFrom = editor.media->fadeInStart;
    values.fadeIn = FillIn(Tr("Fade-in %1$s, %2$s"),
                           {Seconds(fadeIn, words), Span(fadeInFrom, fadeInFrom + fadeIn, words)});
    const int32_t fadeOutFrom = editor.media->fadeOutStart;
    values.fadeOut =
        FillIn(Tr("Fade-out %1$s, %2$s"),
               {Seconds(fadeOut, words), Span(fadeOutFrom, fadeOutFrom + fadeOut, words)});
    values.silence = FillIn(Tr("Silence %s"), {Seconds(silence, words)});
    return values;
}

} // namespace

EditorToolTips EditorToolTips::For(const RingtoneEditor& editor) {
    // A drag stops short of a ruler's ends; the keys take the marker all the way.
    const std::string keys =
        Tr("; after a drag, Left and Right move it a second, Home and End to the ruler's ends");
    EditorToolTips tips;
    tips.cut = Tr("Drag the flags to choose where the ringtone starts and ends") + keys;
    tips.time = Tr("Drag the marker to choose where the preview plays from") + keys;
    tips.waveform = Tr("The sound, one column per second, with the ringtone and its fades. "
                       "Right-click or press S to suggest the catchiest part");
    tips.fadeIn = Tr("Drag the marker to where the fade-in ends") + keys;
    tips.fadeOut = Tr("Drag the marker to where the fade-out begins") + keys;
    tips.silence = Tr("Drag the marker to put silence before the ringtone") + keys;
    const EditorToolTips values = Values(editor, Words::Tip);
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
    return Values(editor, Words::Spoken);
}

std::string EditorToolTips::SpokenVolume(int32_t percent) {
    return FillIn(Tr("Volume %s%%"), {std::to_string(percent)});
}

std::string EditorToolTips::Volume(int32_t percent) {
    // xgettext:no-c-format
    return Tr("Drag to set how loud the ringtone is, and the song while you listen to it; after "
              "a drag, Left and Right change it by 1%, Home and End set 1% and 100%") +
           ("\n" + SpokenVolume(percent));
}

std::string EditorToolTips::Loudness(const RingtoneLoudness& loudness, const EffectSet& effects) {
    if (!loudness.measured) {
        return "";
    }
    if (!std::isfinite(loudness.lufs)) {
        return "\n" + std::string(Tr("The ringtone is silent"));
    }
    std::string tip = "\n" + FillIn(Tr("The ringtone: %s LUFS"), {LocalDecimal(loudness.lufs, 1)});
    if (effects.phoneLoudness) {
        tip += FillIn(Tr(", brought to %s LUFS for the phone"),
                      {LocalDecimal(effects.loudnessTarget, 1)});
    }
    return tip;
}

std::string EditorToolTips::Clock(int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}
