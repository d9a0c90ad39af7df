// The editor panel under Xvfb on the recording audio layer: its first state, the layout of the
// time axis, scrolling, editing with the mouse, effects and volume, and the ringtone preview's
// play, pause and stop.
#include "EventPump.h"
#include "PanelFixture.h"
#include "RulerMouse.h"
#include "widgets/ButtonClick.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/scrolbar.h>
#include <wx/uiaction.h>

#include <sstream>
#include <thread>

using twtest::Calls;

namespace {

class Panel : public twtest::PanelFixture {
protected:
    std::vector<twRuler*> TimeRulers() const {
        return {panel->cutRuler, panel->timeRuler, panel->fadeInRuler, panel->fadeOutRuler,
                panel->silenceRuler};
    }
    std::string ProcedureStream(int rate, int channels) const {
        std::ostringstream call;
        call << "CreateProcedureStream(" << rate << "," << channels << ",proc,"
             << static_cast<void*>(panel) << ")";
        return call.str();
    }
};

// Rows of the strip's column at window x (the strip tiled from the ruler's left edge) that
// differ from its column 1, which has no tick: the strip's gradient runs top to bottom only.
int TickHeight(const wxImage& strip, int windowX) {
    const int x = windowX % strip.GetWidth();
    int rows = 0;
    for (int y = 0; y < strip.GetHeight(); ++y) {
        const unsigned char* at = strip.GetData() + 3 * (y * strip.GetWidth() + x);
        rows += std::equal(at, at + 3, strip.GetData() + 3 * (y * strip.GetWidth() + 1)) ? 0 : 1;
    }
    return rows;
}

} // namespace

TEST_F(Panel, startsEmptyAtZoomOneWithTheEngineRequested) {
    EXPECT_EQ(*calls, Calls{"Init(-1,44100)"});
    EXPECT_EQ(panel->zoom, 1);
    EXPECT_EQ(panel->defaultLength, 45);
    EXPECT_EQ(panel->streamPos, 0);
    EXPECT_FALSE(panel->waveGraph->loaded);
    for (twRuler* ruler : TimeRulers()) {
        EXPECT_EQ(ruler->startValue, -1);
        EXPECT_EQ(ruler->endValue, -1);
        EXPECT_EQ(ruler->minValue, 1);
        EXPECT_EQ(ruler->maxValue, 1);
        EXPECT_EQ(ruler->rulerWidth, 400);
    }
    EXPECT_EQ(panel->volumeRuler->startValue, 100);
    EXPECT_EQ(panel->volumeRuler->endValue, 200);
    EXPECT_FALSE(panel->echoCheck->IsChecked());
    EXPECT_FALSE(panel->reverbCheck->IsChecked());
    EXPECT_FALSE(panel->chorusCheck->IsChecked());
    EXPECT_EQ(panel->echoCheck->GetLabel(), "Echo");
    EXPECT_EQ(panel->GetMinSize(), wxSize(474, 265));
    EXPECT_EQ(panel->GetMaxSize(), wxSize(474, 265));

    wxScrollEvent event;
    panel->OnScroll(event);
    for (twRuler* ruler : TimeRulers()) {
        EXPECT_EQ(ruler->scrollOffset, 0);
    }
    EXPECT_EQ(panel->waveGraph->scrollOffset, 0);
}

TEST_F(Panel, playBeforeAnyImportDoesNothing) {
    Since();
    ClickButton(panel->playButton);
    ClickButton(panel->pauseButton);
    ClickButton(panel->stopButton);
    EXPECT_EQ(Since(), Calls{});
}

TEST_F(Panel, threeMinutesLayTheTimeAxisOut726WideAndSilenceWidensIt) {
    Import(180);
    EXPECT_EQ(panel->zoom, 4);
    for (twRuler* ruler : TimeRulers()) {
        EXPECT_EQ(ruler->rulerWidth, 726);
        EXPECT_EQ(ruler->maxValue, 180);
    }
    EXPECT_EQ(panel->scrollBar->GetRange(), 326);
    EXPECT_EQ(panel->waveGraph->zoom, 4);
    EXPECT_EQ(panel->waveGraph->margin, 3);
    EXPECT_TRUE(panel->timeRuler->showLabels);
    EXPECT_EQ(panel->timeRuler->pixelsPerSecond, 4);
    EXPECT_EQ(panel->timeRuler->labelStep, 30);

    panel->scrollBar->SetThumbPosition(100);
    wxScrollEvent event;
    panel->OnScroll(event);
    ASSERT_EQ(panel->waveGraph->scrollOffset, 100);

    panel->silenceRuler->SetValues(6, panel->silenceRuler->endValue);
    for (twRuler* ruler : TimeRulers()) {
        EXPECT_EQ(ruler->rulerWidth, 746);
        EXPECT_EQ(ruler->maxValue, 185);
    }
    EXPECT_EQ(panel->scrollBar->GetRange(), 346);
    EXPECT_EQ(panel->scrollBar->GetThumbPosition(), 0);
    EXPECT_EQ(panel->waveGraph->scrollOffset, 0);
}

// The ruler strips against the time axis as the import lays it out: a tick at the start of
// every second, a longer one every 5 and every 10 seconds, and the time ruler's labels on ticks.
TEST_F(Panel, theRulerStripsTickEverySecondOfTheTimeAxisLongerEveryFiveAndTen) {
    Import(180);
    const int perSecond = panel->timeRuler->pixelsPerSecond, axis = panel->timeRuler->margin;
    for (const char* name : {"rulerBck.bmp", "rulerRangeBck.bmp", "rulerRange.bmp"}) {
        const wxImage strip(std::string("images/") + name, wxBITMAP_TYPE_BMP);
        ASSERT_TRUE(strip.IsOk()) << name;
        const int first = TickHeight(strip, axis + perSecond);
        const int fifth = TickHeight(strip, axis + 5 * perSecond);
        const int tenth = TickHeight(strip, axis + 10 * perSecond);
        EXPECT_TRUE(0 < first && first < fifth && fifth < tenth) << name;
        for (int x = 0; x < panel->timeRuler->rulerWidth; ++x) {
            const int second = (x - axis) / perSecond;
            const int tick = second % 10 == 0 ? tenth : second % 5 == 0 ? fifth : first;
            ASSERT_EQ(TickHeight(strip, x), x >= axis && (x - axis) % perSecond == 0 ? tick : 0)
                << name << " at window x " << x;
        }
        EXPECT_EQ(TickHeight(strip, axis + panel->timeRuler->labelStep * perSecond), tenth) << name;
    }
}

TEST_F(Panel, scrollingShiftsTheSixTimeWidgetsButNotTheVolumeRuler) {
    Import(180);
    panel->scrollBar->SetThumbPosition(100);
    wxScrollEvent event;
    panel->OnScroll(event);
    for (twRuler* ruler : TimeRulers()) {
        EXPECT_EQ(ruler->scrollOffset, 100);
    }
    EXPECT_EQ(panel->waveGraph->scrollOffset, 100);
    EXPECT_EQ(panel->volumeRuler->scrollOffset, 0);
}

TEST_F(Panel, draggingTheCutStartWithTheMouseCarriesTheEditsAndThePlayPosition) {
    Import(180);
    // Value 1 is drawn at window x 5; x 45 maps to trunc(180 x 42 / 720 + 1) = 11.
    twtest::RulerMouse(panel->cutRuler, wxEVT_LEFT_DOWN, 6);
    twtest::RulerMouse(panel->cutRuler, wxEVT_MOTION, 25);
    twtest::RulerMouse(panel->cutRuler, wxEVT_MOTION, 45);
    twtest::RulerMouse(panel->cutRuler, wxEVT_LEFT_UP, 45);
    EXPECT_EQ(panel->cutRuler->startValue, 11);
    EXPECT_EQ(panel->silenceRuler->startValue, 11);
    EXPECT_EQ(panel->fadeInRuler->startValue, 15);
    EXPECT_EQ(panel->waveGraph->selectionStart, 11);
    EXPECT_EQ(panel->waveGraph->selectionExtent, 34);
    EXPECT_EQ(panel->streamPos, 11 * 16000) << "the release moved the play position up";
    EXPECT_EQ(panel->waveGraph->playPosition, 11.0);
}

TEST_F(Panel, theRealPointerDragsTheFadeInMarker) {
    Import(180);
    // The fade-in marker stands at second 5 (window x 4 x 4.5 + 3 = 21); x 61 maps to 15.
    const wxPoint grip = panel->fadeInRuler->ClientToScreen(wxPoint(21, 9));
    wxUIActionSimulator pointer;
    pointer.MouseMove(grip);
    twtest::PumpEvents(30);
    pointer.MouseDown();
    for (int dx = 10; dx <= 40; dx += 10) {
        twtest::PumpEvents(20);
        pointer.MouseMove(grip + wxPoint(dx, 0));
    }
    twtest::PumpEvents(30);
    pointer.MouseUp();
    EXPECT_TRUE(twtest::PumpUntil([&] { return panel->fadeInRuler->startValue == 15; }));
    EXPECT_EQ(panel->waveGraph->fadeInLength, 14);
}

TEST_F(Panel, playPausePlayResumesTheSameStreamWhereItPaused) {
    Import(60);
    Since();
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), (Calls{ProcedureStream(8000, 1), "SetVolume(1,1)", "Play(1,restart)"}));
    EXPECT_EQ(panel->streamPos, 16000);
    EXPECT_EQ(panel->waveGraph->playPosition, 1.0);
    panel->streamPos = 50000;
    ClickButton(panel->pauseButton);
    ClickButton(panel->pauseButton);
    EXPECT_EQ(Since(), Calls{"Pause(1)"}) << "a second pause doesn't resume";
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), Calls{"Play(1,resume)"});
    EXPECT_EQ(panel->streamPos, 50000);
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), Calls{}) << "play while playing does nothing";
}

TEST_F(Panel, playStopPlayRestartsTheSameStreamFromTheCutStart) {
    Import(60);
    panel->cutRuler->SetValues(5, panel->cutRuler->endValue);
    ClickButton(panel->playButton);
    Since();
    panel->streamPos = 200000;
    panel->waveGraph->playPosition = 12.5;
    ClickButton(panel->stopButton);
    EXPECT_EQ(Since(), Calls{"Stop(1)"});
    EXPECT_EQ(panel->streamPos, 5 * 16000);
    EXPECT_EQ(panel->waveGraph->playPosition, 12.5) << "stop leaves the cursor";
    ClickButton(panel->stopButton);
    EXPECT_EQ(Since(), Calls{});
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), (Calls{"SetVolume(1,1)", "Play(1,restart)"}));
}

TEST_F(Panel, playWhileTheSourcePreviewsReplacesItWithTheRingtoneAndItsEffects) {
    Import(60);
    const std::string source = Media(3, {44100, 2}, "source.wav");
    AudioEngine* engine = panel->audioEngine;
    engine->fileType = AudioFileWav;
    ASSERT_TRUE(engine->SetFile(std::wstring(source.begin(), source.end())));
    ASSERT_TRUE(engine->OpenStream(true));
    engine->Play();
    Tick(panel->echoCheck, true);
    Since();
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", ProcedureStream(8000, 1),
                              "AddEffect(3,3,0)", "SetVolume(3,1)", "Play(3,restart)"}));
    EXPECT_FALSE(engine->fromFile);
}

TEST_F(Panel, pauseDoesNothingWithoutAStreamOrWhileTheSourcePlays) {
    Import(60);
    Since();
    ClickButton(panel->pauseButton);
    EXPECT_EQ(Since(), Calls{});
    const std::string source = Media(3, {44100, 2}, "source.wav");
    AudioEngine* engine = panel->audioEngine;
    engine->fileType = AudioFileWav;
    engine->SetFile(std::wstring(source.begin(), source.end()));
    engine->OpenStream(true);
    engine->Play();
    Since();
    ClickButton(panel->pauseButton);
    ClickButton(panel->stopButton);
    EXPECT_EQ(Since(), Calls{});
}

TEST_F(Panel, effectBoxesSwitchEffectsOnThePlayingStreamOnceEach) {
    Import(60);
    ClickButton(panel->playButton);
    Since();
    Tick(panel->echoCheck, true);
    EXPECT_EQ(Since(), Calls{"AddEffect(1,3,0)"});
    Tick(panel->reverbCheck, true);
    EXPECT_EQ(Since(), Calls{"AddEffect(1,8,0)"}) << "no second echo";
    Tick(panel->echoCheck, false);
    EXPECT_EQ(Since(), Calls{"RemoveEffect(1,2)"});
}

TEST_F(Panel, boxesTickedBeforeTheFirstPlayAndTheVolumeRulerApplyWhenPlayStarts) {
    Import(60);
    Since();
    Tick(panel->chorusCheck, true);
    panel->volumeRuler->SetValues(50, 200);
    // With no stream the calls go to handle 0, which a real layer refuses.
    EXPECT_EQ(Since(), (Calls{"AddEffect(0,0,0)", "SetVolume(0,0.5)"}));
    ClickButton(panel->playButton);
    EXPECT_EQ(Since(), (Calls{ProcedureStream(8000, 1), "AddEffect(2,0,0)", "SetVolume(2,0.5)",
                              "Play(2,restart)"}));
    panel->volumeRuler->SetValues(30, 200);
    EXPECT_EQ(Since(), Calls{"SetVolume(2,0.3)"});
}

TEST_F(Panel, streamProcedureOnAnotherThreadMovesTheCursorAndLoops) {
    Import(20);
    ClickButton(panel->playButton);
    panel->cutRuler->SetValues(1, 3);
    std::thread feeder([this] {
        std::vector<uint8_t> block(8000);
        for (int i = 0; i < 5; ++i) {
            twMediaEditControl::RingtoneStreamProc(1, block.data(), 8000, panel);
        }
    });
    feeder.join();
    // 16000 + 5 x 8000 = 56000 is past the cut end (3.5 > 3): back to the cut start.
    EXPECT_EQ(panel->streamPos, 16000);
    EXPECT_EQ(panel->waveGraph->playPosition, 1.0);
    twtest::PumpEvents(50);
}

TEST_F(Panel, cursorRepaintQueuedByTheFeederDiesWithThePanel) {
    Import(20);
    ClickButton(panel->playButton);
    std::thread feeder([this] {
        std::vector<uint8_t> block(8000);
        twMediaEditControl::RingtoneStreamProc(1, block.data(), 8000, panel);
    });
    feeder.join();
    // The repaint is queued and not yet run; the panel goes first. Under the address sanitizer
    // a queued call that outlived the panel would show here.
    DestroyPanel();
    twtest::PumpEvents(50);
}

TEST_F(Panel, phoneLoudnessGivesThePlayingRingtoneItsGainAndTheVolumeTipSaysSo) {
    Import(60);
    ClickButton(panel->playButton);
    Since();
    panel->SetPhoneLoudness(true);
    EXPECT_TRUE(panel->PhoneLoudness());
    ASSERT_TRUE(twtest::PumpUntil([this] { return !panel->LoudnessPending(); }));
    const Calls on = Since();
    ASSERT_EQ(on.size(), 1u);
    EXPECT_TRUE(on[0].starts_with("SetPhoneLoudness(1,")) << on[0];
    const std::string tip = panel->volumeRuler->GetToolTipText().ToStdString();
    EXPECT_NE(tip.find(" LUFS, brought to -10.0 LUFS for the phone"), std::string::npos) << tip;
    panel->SetPhoneLoudness(false);
    ASSERT_TRUE(twtest::PumpUntil([this] { return !panel->LoudnessPending(); }));
    EXPECT_EQ(Since(), Calls{"SetPhoneLoudness(1,0)"});
}
