// What you hear is what you get: the ringtone file carries exactly what the preview sends to
// the device over its first loop. The preview plays through the real audio layer into ALSA's
// file device; the same edit is rendered offline and the two are compared sample by sample.
#include "AlsaFileSink.h"
#include "EventPump.h"
#include "FileContents.h"
#include "TempDir.h"
#include "TestWav.h"

#include "audio/AudioEngine.h"
#include "delivery/RingtoneRenderer.h"
#include "editor/twMediaEditControl.h"
#include "widgets/ButtonClick.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/frame.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

std::vector<int16_t> Samples(const std::string& wavPath) {
    const std::string bytes = twtest::Contents(wavPath);
    std::vector<int16_t> samples(bytes.size() > 44 ? (bytes.size() - 44) / 2 : 0);
    std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
    return samples;
}

// A sound with more in it than one sine, so that the effects have something to work on.
std::vector<int16_t> Chord(const twtest::WavFormat& format, double seconds) {
    std::vector<int16_t> samples;
    const auto frames = static_cast<size_t>(seconds * format.sampleRate);
    for (size_t f = 0; f < frames; ++f) {
        const double t = static_cast<double>(f) / format.sampleRate;
        const double left =
            7000 * std::sin(2 * M_PI * 440 * t) + 4000 * std::sin(2 * M_PI * 97 * t);
        const double right =
            7000 * std::sin(2 * M_PI * 660 * t) + 3000 * std::sin(2 * M_PI * 1500 * t);
        samples.push_back(static_cast<int16_t>(left));
        samples.push_back(static_cast<int16_t>(right));
    }
    return samples;
}

TEST(WhatYouHear, TheRingtoneFileIsThePreviewsFirstLoopWithVolumeEffectsAndPhoneLoudness) {
    twtest::TempDir dir;
    const twtest::WavFormat format{44100, 2};
    const std::string path = dir.File("current.wav");
    ASSERT_TRUE(twtest::WriteWav(path, format, Chord(format, 8)));
    // At real-time pace the feeder stays well ahead of the device even on a busy machine: a gap
    // it left would shift the chorus's sweep against the offline rendering.
    auto sink = std::make_unique<twtest::AlsaFileSink>(1.0);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "editor", wxPoint(0, 0), wxSize(520, 320));
    auto* panel = new twMediaEditControl(frame, wxSize(500, 210));
    frame->Show();
    ASSERT_TRUE(panel->CalculateMediaData(path, frame));
    panel->ResetZoom();
    // Three seconds from second 2, half a second of them silent, a fade-in of one second after
    // the silence and a fade-out over the last.
    panel->cutRuler->SetValues(2, 5);
    panel->silenceRuler->SetValues(3, panel->silenceRuler->endValue);
    panel->fadeInRuler->SetValues(4, panel->fadeInRuler->endValue);
    panel->fadeOutRuler->SetValues(4, panel->fadeOutRuler->endValue);
    AudioEngine* engine = panel->audioEngine;
    const size_t loopFrames = 3 * 44100;
    const std::string rendered = dir.File("rendered.wav");
    const std::pair<RingtoneSound, bool> cases[] = {
        {{2, 5, {.volume = 50}}, false},
        {{2, 5, {.chorus = true}}, false},
        {{2, 5, {.chorus = true, .echo = true, .reverb = true, .volume = 50}}, false},
        {{2, 5, {.echo = true, .volume = 50, .phoneLoudness = true}}, false},
        {{2, 5, {.echo = true}}, true},
        {{2, 5, {.reverb = true}}, true},
        {{2, 5, {.chorus = true}}, true},
    };
    for (const auto& [sound, afterStop] : cases) {
        const EffectSet& effects = sound.effects;
        const std::string name = "volume " + std::to_string(effects.volume) +
                                 (effects.echo ? " echo" : "") + (effects.reverb ? " reverb" : "") +
                                 (effects.chorus ? " chorus" : "") +
                                 (effects.phoneLoudness ? " phone loudness" : "");
        panel->volumeRuler->SetValues(effects.volume, panel->volumeRuler->endValue);
        panel->echoCheck->SetValue(effects.echo);
        panel->reverbCheck->SetValue(effects.reverb);
        panel->chorusCheck->SetValue(effects.chorus);
        panel->SetPhoneLoudness(effects.phoneLoudness);
        // The preview plays with the gain once its measurement has come back.
        ASSERT_TRUE(twtest::PumpUntil([panel] { return !panel->LoudnessPending(); }));
        ASSERT_TRUE(RenderRingtone(*panel->waveGraph, sound, 0, rendered));
        const std::vector<int16_t> made = Samples(rendered);
        ASSERT_EQ(made.size(), loopFrames * 2);
        const size_t madeStart = twtest::FirstNonZeroFrame(made);
        ASSERT_LT(madeStart, loopFrames);

        if (afterStop) {
            const size_t at = sink->Frames();
            ClickButton(panel->playButton);
            ASSERT_TRUE(
                sink->WaitFor([&](const auto& s) { return s.size() > 2 * (at + loopFrames); }));
            ClickButton(panel->stopButton);
        }
        // What the previous play left in the device's buffers has arrived once the capture
        // stops growing.
        for (size_t before = SIZE_MAX; before != sink->Frames();) {
            before = sink->Frames();
            twtest::PumpEvents(200);
        }
        const size_t from = sink->Frames();
        ClickButton(panel->playButton);
        ASSERT_TRUE(sink->WaitFor([&](const auto& s) {
            const size_t start = twtest::FirstNonZeroFrame(s, from);
            return start < s.size() / 2 && s.size() / 2 - start >= loopFrames;
        }));
        engine->Stop();
        engine->FreeStream();
        const std::vector<int16_t> heard = sink->Samples();
        const size_t heardStart = twtest::FirstNonZeroFrame(heard, from);

        size_t differing = 0;
        size_t firstDifference = loopFrames * 2;
        for (size_t i = madeStart * 2; i < loopFrames * 2; ++i) {
            const int heard16 = heard[(heardStart - madeStart) * 2 + i];
            if (std::abs(made[i] - heard16) > 1) {
                firstDifference = std::min(firstDifference, i);
                ++differing;
            }
        }
        EXPECT_EQ(differing, 0u) << name << (afterStop ? " after Stop" : "") << ": first at sample "
                                 << firstDifference;
    }

    frame->Destroy();
    twtest::PumpEvents(10);
    AudioEngine::Release();
    sink.reset();
}

} // namespace
