// The editor's rules without a window: where the rulers stand after a load, how the handlers
// keep the markers in order and fill the graph's edit fields, and how the play position moves.
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <vector>

using twtest::EditorRig;

namespace {

// A file of the given whole seconds, 8000 Hz mono: small and quick to write.
std::string Media(const twtest::TempDir& dir, int seconds, const std::string& name = "m.wav") {
    const twtest::WavFormat format{8000, 1};
    const std::string path = dir.File(name);
    EXPECT_TRUE(twtest::WriteWav(path, format, twtest::Pattern(1, 8000, seconds)));
    return path;
}

struct Markers {
    int cutStart, cutEnd, silence, fadeIn, fadeOut;
    bool operator==(const Markers&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Markers& m) {
    return out << "cut " << m.cutStart << ".." << m.cutEnd << " silence " << m.silence
               << " fade-in " << m.fadeIn << " fade-out " << m.fadeOut;
}

Markers Read(const EditorRig& rig) {
    return {rig.cut.startValue, rig.cut.endValue, rig.silence.startValue, rig.fadeIn.startValue,
            rig.fadeOut.startValue};
}

} // namespace

TEST(EditRules, firstLoadOfTwoMinutesPlacesTheRulersWithAFourSecondFadeIn) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    EXPECT_EQ(Read(rig), (Markers{1, 45, 1, 5, 42}));
    // The silence ruler moving from -1 to 1 shifted the fade-in marker from 3 to 5.
    EXPECT_EQ(rig.wave.fadeInStart, 1);
    EXPECT_EQ(rig.wave.fadeInLength, 4);
    EXPECT_EQ(rig.wave.fadeOutStart, 42);
    EXPECT_EQ(rig.wave.fadeOutLength, 3);
    EXPECT_EQ(rig.wave.silenceStart, 1);
    EXPECT_EQ(rig.wave.silenceLength, 0);
    EXPECT_EQ(rig.wave.selectionStart, 1);
    EXPECT_EQ(rig.wave.selectionExtent, 44);
    EXPECT_EQ(rig.wave.markerSecond, 1);
    for (const RulerValues* ruler :
         {&rig.cut, &rig.time, &rig.fadeIn, &rig.fadeOut, &rig.silence}) {
        EXPECT_EQ(ruler->minValue, 1);
        EXPECT_EQ(ruler->maxValue, 120);
    }
    EXPECT_EQ(rig.time.endValue, 220);
    EXPECT_EQ(rig.editor.streamPos, 0);
    EXPECT_GT(rig.view.layouts, 0);
}

TEST(EditRules, laterLoadWithTheSilenceMarkerAtOneLeavesATwoSecondFadeIn) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    ASSERT_TRUE(rig.Load(Media(dir, 120, "second.wav")));
    EXPECT_EQ(Read(rig), (Markers{1, 45, 1, 3, 42}));
    EXPECT_EQ(rig.wave.fadeInLength, 2);
}

TEST(EditRules, thirtySecondFileIsCutWholeWithTheFadeOutOverItsLastThreeSeconds) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 30)));
    EXPECT_EQ(rig.cut.startValue, 1);
    EXPECT_EQ(rig.cut.endValue, 30);
    EXPECT_EQ(rig.fadeOut.startValue, 27);
    EXPECT_EQ(rig.wave.fadeOutLength, 3);
}

TEST(EditRules, failedLoadLeavesRulersAndEditsAsTheyWere) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    rig.silence.DragTo(1, 4);
    const Markers before = Read(rig);
    EXPECT_FALSE(rig.Load(dir.File("missing.wav")));
    EXPECT_EQ(Read(rig), before);
    EXPECT_EQ(rig.wave.silenceLength, 3);
    EXPECT_EQ(rig.wave.durationSeconds, 120);
}

TEST(EditRules, rulerSecondsMapToStreamPositions) {
    EditorRig rig;
    rig.wave.byteRate = 176400;
    EXPECT_EQ(rig.editor.StreamPosition(10), 1764000);
    EXPECT_EQ(rig.editor.StreamPosition(1), 176400);
}

TEST(EditRules, movingTheCutStartCarriesSilenceAndFadeInAlong) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    ASSERT_TRUE(rig.silence.DragTo(1, 3));
    ASSERT_TRUE(rig.fadeIn.DragTo(1, 5));
    ASSERT_EQ(Read(rig), (Markers{1, 45, 3, 5, 42}));

    ASSERT_TRUE(rig.cut.DragTo(1, 11));
    EXPECT_EQ(Read(rig), (Markers{11, 45, 13, 15, 42}));
    EXPECT_EQ(rig.wave.selectionStart, 11);
    EXPECT_EQ(rig.wave.selectionExtent, 34);
    EXPECT_EQ(rig.wave.silenceStart, 11);
    EXPECT_EQ(rig.wave.silenceLength, 2);
    EXPECT_EQ(rig.wave.fadeInStart, 13);
    EXPECT_EQ(rig.wave.fadeInLength, 2);
}

TEST(EditRules, movingTheCutEndBackCarriesTheFadeOutOrPushesEverythingToIt) {
    twtest::TempDir dir;
    {
        EditorRig rig;
        ASSERT_TRUE(rig.Load(Media(dir, 120)));
        ASSERT_TRUE(rig.Load(Media(dir, 120)));
        ASSERT_EQ(Read(rig), (Markers{1, 45, 1, 3, 42}));
        ASSERT_TRUE(rig.cut.DragTo(2, 30));
        EXPECT_EQ(Read(rig), (Markers{1, 30, 1, 3, 27}));
        EXPECT_EQ(rig.wave.fadeOutLength, 3);
    }
    {
        EditorRig rig;
        ASSERT_TRUE(rig.Load(Media(dir, 120)));
        ASSERT_TRUE(rig.Load(Media(dir, 120)));
        ASSERT_TRUE(rig.fadeOut.DragTo(1, 43));
        ASSERT_TRUE(rig.silence.DragTo(1, 40));
        ASSERT_EQ(Read(rig), (Markers{1, 45, 40, 42, 43}));
        ASSERT_TRUE(rig.cut.DragTo(2, 30));
        EXPECT_EQ(Read(rig), (Markers{1, 30, 30, 30, 30}));
        EXPECT_EQ(rig.wave.fadeInLength, 0);
        EXPECT_EQ(rig.wave.fadeOutLength, 0);
        EXPECT_EQ(rig.wave.silenceLength, 29);
    }
}

TEST(EditRules, insertedSilenceLengthensEveryTimeRulerAndMovesTheFadeIn) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    const int layouts = rig.view.layouts;
    ASSERT_TRUE(rig.silence.DragTo(1, 6));
    EXPECT_EQ(rig.wave.silenceLength, 5);
    EXPECT_EQ(rig.editor.Extent(), 125);
    for (const RulerValues* ruler :
         {&rig.cut, &rig.time, &rig.fadeIn, &rig.fadeOut, &rig.silence}) {
        EXPECT_EQ(ruler->maxValue, 125);
    }
    for (const RulerValues* ruler : {&rig.time, &rig.fadeIn, &rig.fadeOut, &rig.silence}) {
        EXPECT_EQ(ruler->endValue, 225) << "the parked end marker follows the maximum";
    }
    EXPECT_EQ(rig.fadeIn.startValue, 10);
    EXPECT_EQ(rig.wave.fadeInStart, 6);
    EXPECT_EQ(rig.wave.fadeInLength, 4);
    EXPECT_GT(rig.view.layouts, layouts);
}

TEST(EditRules, fadeInDraggedPastTheFadeOutPushesItAndStopsBothAtTheCutEnd) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    ASSERT_TRUE(rig.fadeIn.DragTo(1, 44));
    EXPECT_EQ(rig.fadeIn.startValue, 44);
    EXPECT_EQ(rig.fadeOut.startValue, 44);
    EXPECT_EQ(rig.wave.fadeOutLength, 1);
    ASSERT_TRUE(rig.fadeIn.DragTo(1, 50));
    EXPECT_EQ(rig.fadeIn.startValue, 45);
    EXPECT_EQ(rig.fadeOut.startValue, 45);
    EXPECT_EQ(rig.wave.fadeInLength, 44);
    EXPECT_EQ(rig.wave.fadeOutLength, 0);
}

TEST(EditRules, fadeOutDraggedBeforeTheSilenceEndIsPulledBackWithTheFadeIn) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    ASSERT_TRUE(rig.silence.DragTo(1, 10));
    ASSERT_EQ(Read(rig), (Markers{1, 45, 10, 14, 42}));
    ASSERT_TRUE(rig.fadeOut.DragTo(1, 8));
    EXPECT_EQ(Read(rig), (Markers{1, 45, 10, 10, 10}));
    EXPECT_EQ(rig.wave.fadeInLength, 0);
    EXPECT_EQ(rig.wave.fadeOutStart, 10);
    EXPECT_EQ(rig.wave.fadeOutLength, 35);
}

TEST(EditRules, cutMarkerMovedOutOfViewScrollsToIt) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 300)));
    rig.editor.zoom = 4;
    rig.view.scrolls.clear();
    // x = 4 x 110 = 440 lies past 0 + 400: the thumb goes to 440 - 400 + 16.
    ASSERT_TRUE(rig.cut.DragTo(2, 110));
    EXPECT_EQ(rig.view.scrolls, std::vector<int32_t>{56});
    // Back to x = 4 x 12 = 48 <= 56: the thumb goes to 48 - 16.
    rig.view.scrolls.clear();
    ASSERT_TRUE(rig.cut.DragTo(1, 12));
    EXPECT_EQ(rig.view.scrolls.back(), 32);
}

TEST(EditRules, timeMarkerSetsTheMarkerWhileDraggedAndThePlayPositionWhenReleased) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    ASSERT_TRUE(rig.time.DragTo(1, 10));
    EXPECT_EQ(rig.wave.markerSecond, 10);
    EXPECT_GT(rig.view.refreshTimeAndGraph, 0);
    EXPECT_EQ(rig.editor.streamPos, 0) << "only the release moves the play position";
    RingtoneEditor::OnTimeReleased(1, 10, &rig.editor);
    EXPECT_EQ(rig.editor.streamPos, 10 * 16000);
    EXPECT_EQ(rig.wave.playPosition, 10.0);
}

TEST(EditRules, releasingTheCutStartMovesOnlyAPlayPositionBeforeIt) {
    twtest::TempDir dir;
    EditorRig rig;
    ASSERT_TRUE(rig.Load(Media(dir, 120)));
    rig.editor.streamPos = 2 * 16000;
    RingtoneEditor::OnCutReleased(1, 5, &rig.editor);
    EXPECT_EQ(rig.editor.streamPos, 5 * 16000);
    EXPECT_EQ(rig.wave.playPosition, 5.0);
    rig.editor.streamPos = 20 * 16000;
    rig.wave.playPosition = 20.0;
    RingtoneEditor::OnCutReleased(1, 5, &rig.editor);
    EXPECT_EQ(rig.editor.streamPos, 20 * 16000);
    EXPECT_EQ(rig.wave.playPosition, 20.0);
    RingtoneEditor::OnCutReleased(2, 40, &rig.editor);
    EXPECT_EQ(rig.editor.streamPos, 20 * 16000);
}
