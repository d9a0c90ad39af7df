// The editor's tooltip texts without a window: the purposes alone before a load, then the
// markers' current values in minutes and seconds after every kind of edit.
#include "editor/EditorToolTips.h"
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"
#include "dsp/EffectSet.h"
#include "editor/RingtoneLoudness.h"
#include "text/Translation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using twtest::EditorRig;

namespace {

// The line after the purpose, where the values are.
std::string Values(const std::string& tip) {
    const size_t newline = tip.find('\n');
    return newline == std::string::npos ? std::string() : tip.substr(newline + 1);
}

struct EditCase {
    const char* name;
    std::function<void(EditorRig&)> edit;
    const char* waveform;
    const char* cut;
    const char* time;
    const char* fadeIn;
    const char* fadeOut;
    const char* silence;
};

} // namespace

TEST(EditorToolTips, beforeALoadSayOnlyWhatEachControlDoes) {
    EditorRig rig;
    const EditorToolTips tips = EditorToolTips::For(rig.editor);
    EXPECT_EQ(tips.cut, "Drag the flags to choose where the ringtone starts and ends; after a "
                        "drag, Left and Right move it a second, Home and End to the ruler's ends");
    for (const std::string& tip :
         {tips.cut, tips.time, tips.waveform, tips.fadeIn, tips.fadeOut, tips.silence}) {
        EXPECT_FALSE(tip.empty());
        EXPECT_EQ(tip.find('\n'), std::string::npos) << tip;
    }
}

TEST(EditorToolTips, giveTheCurrentValuesAfterEachKindOfEdit) {
    const std::vector<EditCase> cases = {
        {"first load", [](EditorRig&) {}, "Ringtone 0:00 to 0:44, 44 s; fade-in 4 s; fade-out 3 s",
         "Ringtone 0:00 to 0:44, 44 s", "Position 0:00", "Fade-in 4 s, 0:00 to 0:04",
         "Fade-out 3 s, 0:41 to 0:44", "Silence 0 s"},
        {"range moved, fade-in shortened",
         [](EditorRig& rig) {
             rig.cut.DragTo(2, 57);
             rig.cut.DragTo(1, 13);
             rig.fadeIn.DragTo(1, 15);
         },
         "Ringtone 0:12 to 0:56, 44 s; fade-in 2 s; fade-out 3 s", "Ringtone 0:12 to 0:56, 44 s",
         "Position 0:00", "Fade-in 2 s, 0:12 to 0:14", "Fade-out 3 s, 0:53 to 0:56", "Silence 0 s"},
        {"silence inserted", [](EditorRig& rig) { rig.silence.DragTo(1, 3); },
         "Ringtone 0:00 to 0:44, 44 s; silence 2 s; fade-in 4 s; fade-out 3 s",
         "Ringtone 0:00 to 0:44, 44 s", "Position 0:00", "Fade-in 4 s, 0:02 to 0:06",
         "Fade-out 3 s, 0:41 to 0:44", "Silence 2 s"},
        {"position past a minute, no fades",
         [](EditorRig& rig) {
             rig.time.DragTo(1, 92);
             rig.fadeIn.DragTo(1, 1);
             rig.fadeOut.DragTo(1, 45);
         },
         "Ringtone 0:00 to 0:44, 44 s; fade-in 0 s; fade-out 0 s", "Ringtone 0:00 to 0:44, 44 s",
         "Position 1:31", "Fade-in 0 s, 0:00 to 0:00", "Fade-out 0 s, 0:44 to 0:44", "Silence 0 s"},
    };
    twtest::TempDir dir;
    const std::string path = dir.File("m.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {8000, 1}, twtest::Pattern(1, 8000, 120)));
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorRig rig;
        ASSERT_TRUE(rig.Load(path));
        c.edit(rig);
        const EditorToolTips tips = EditorToolTips::For(rig.editor);
        EXPECT_EQ(Values(tips.waveform), c.waveform);
        EXPECT_EQ(Values(tips.cut), c.cut);
        EXPECT_EQ(Values(tips.time), c.time);
        EXPECT_EQ(Values(tips.fadeIn), c.fadeIn);
        EXPECT_EQ(Values(tips.fadeOut), c.fadeOut);
        EXPECT_EQ(Values(tips.silence), c.silence);
    }
}

TEST(EditorToolTips, clockShowsMinutesAndTwoDigitSecondsAndTheVolumeTheLoudness) {
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "0:00"}, {5, "0:05"}, {59, "0:59"}, {60, "1:00"}, {90, "1:30"}, {3600, "60:00"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(EditorToolTips::Clock(seconds), text) << seconds;
    }
    EXPECT_EQ(EditorToolTips::Volume(80),
              "Drag to set how loud the ringtone is, and the song while you listen to it; after "
              "a drag, Left and Right change it by 1%, Home and End set 1% and 100%\nVolume 80%");
    EXPECT_EQ(EditorToolTips::Loudness({true, -19.34}, EffectSet{}), "\nThe ringtone: -19.3 LUFS");
}

// A person reads the loudness with their locale's decimal separator; the catalogue in the
// build tree gives the words, as it does beside the program.
TEST(EditorToolTips, loudnessSpeaksTheDesktopsLanguageWithItsDecimalSeparator) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"C.UTF-8", "\nThe ringtone: -7.2 LUFS, brought to -14.5 LUFS for the phone"},
        {"de_DE.UTF-8", "\nDer Klingelton: -7,2 LUFS, für das Telefon auf -14,5 LUFS gebracht"},
        {"pt_BR.UTF-8", "\nO toque: -7,2 LUFS, levado a -14,5 LUFS para o celular"},
    };
    EffectSet effects;
    effects.phoneLoudness = true;
    effects.loudnessTarget = -14.5;
    for (const auto& [locale, tip] : cases) {
        setenv("LC_ALL", locale, 1);
        UseDesktopLanguage(TW_BUILD_DIR "/tonewick-cli");
        EXPECT_EQ(EditorToolTips::Loudness({true, -7.2}, effects), tip) << locale;
    }
    unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
}
