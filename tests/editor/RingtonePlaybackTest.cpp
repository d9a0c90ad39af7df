// The ringtone preview end to end over the real audio layer, PortAudio into ALSA's file device
// drained at four times real time: a working file loaded through CalculateMediaData plays
// through the buttons, the device receives the rendered ringtone, the cursor follows the
// stream and jumps back when the ringtone loops, pause and stop hold it.
#include "AlsaFileSink.h"
#include "EventPump.h"
#include "TempDir.h"
#include "TestWav.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "widgets/ButtonClick.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/frame.h>

#include <algorithm>

TEST(RingtonePlayback, playsLoopsPausesAndStopsWithTheCursorFollowing) {
    twtest::TempDir dir;
    const twtest::WavFormat format{44100, 2};
    const std::string path = dir.File("current.wav");
    ASSERT_TRUE(twtest::WriteWav(path, format, twtest::Sine(format, 10, 440, 12000)));
    auto sink = std::make_unique<twtest::AlsaFileSink>(4.0);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "editor", wxPoint(0, 0), wxSize(520, 320));
    auto* panel = new twMediaEditControl(frame, wxSize(500, 210));
    frame->Show();
    ASSERT_NE(panel->audioEngine, nullptr);
    ASSERT_TRUE(panel->CalculateMediaData(path, frame));
    panel->ResetZoom();
    // A 2-second ringtone from second 2 to second 4.
    panel->cutRuler->SetValues(2, 4);
    ASSERT_EQ(panel->cutRuler->startValue, 2);
    ASSERT_EQ(panel->cutRuler->endValue, 4);

    ClickButton(panel->playButton);
    AudioEngine* engine = panel->audioEngine;
    ASSERT_TRUE(engine->playing);
    // The cursor moves on and comes back to the cut start at least once.
    double highest = 0;
    bool looped = false;
    EXPECT_TRUE(twtest::PumpUntil(
        [&] {
            const double at = panel->waveGraph->playPosition;
            looped = looped || (highest > 3.5 && at < highest);
            highest = std::max(highest, at);
            return looped;
        },
        20000));
    EXPECT_TRUE(sink->WaitFor([](const auto& s) { return twtest::CountNonZeroFrames(s) > 44100; }));
    EXPECT_LE(twtest::PeakBetween(sink->Samples(), 0, sink->Frames()), 12000);

    ClickButton(panel->pauseButton);
    EXPECT_TRUE(engine->paused);
    twtest::PumpEvents(100);
    ClickButton(panel->playButton);
    EXPECT_FALSE(engine->paused);
    ClickButton(panel->stopButton);
    EXPECT_FALSE(engine->playing);
    EXPECT_EQ(panel->streamPos, 2 * 176400);

    engine->FreeStream();
    frame->Destroy();
    twtest::PumpEvents(10);
    AudioEngine::Release();
    sink.reset();
}
