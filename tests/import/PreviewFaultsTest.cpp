// The main window when sound goes wrong, with the real audio layer: the working file deleted,
// cut short or replaced while the ringtone preview plays; no sound device at all; the device
// going away during the preview. The program keeps working and the next import loads.
#include "../audio/AlsaFileSink.h"
#include "DialogAnswerer.h"
#include "EventPump.h"
#include "MainWindow.h"
#include "TempDir.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "widgets/ButtonClick.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The sink's newest tenth of a second holds only zeros.
bool SilentLately(const twtest::AlsaFileSink& sink) {
    const size_t frames = sink.Frames();
    return frames > 4410 && !sink.HasSoundAfter(frames - 4410);
}

class PreviewFaultsTest : public ::testing::Test {
protected:
    void Build() {
        window = std::make_unique<twtest::MainWindow>();
        work = std::make_unique<twtest::WorkingFolder>(twtest::WorkingFolder::Converter::None);
        const twtest::WavFormat stereo;
        ASSERT_TRUE(twtest::WriteWav("song.wav", stereo, twtest::Sine(stereo, 12, 440, 9000)));
        const twtest::WavFormat mono{8000, 1, false};
        ASSERT_TRUE(twtest::WriteWav("next.wav", mono, twtest::Sine(mono, 7, 300, 9000)));
        // Copies its source, as if it had converted it.
        twtest::WriteConverter("cp \"$2\" \"$out\"\n");
    }
    ~PreviewFaultsTest() override {
        window.reset();
        work.reset();
        AudioEngine::Release();
    }

    // Imports the file and starts the ringtone preview on it.
    void ImportAndPlay(const std::string& file, int seconds) {
        window->Pick(work->File(file));
        window->Import();
        ASSERT_EQ(window->ui->mediaEditControl->waveGraph->durationSeconds, seconds);
        ClickButton(window->ui->mediaEditControl->playButton);
    }

    // Whatever happened, the program still imports and shows the next file.
    void ExpectTheNextImportWorks() {
        twtest::DialogAnswerer yes(wxID_YES);
        ClickButton(window->ui->mediaEditControl->stopButton);
        window->Pick(work->File("next.wav"));
        window->Import();
        ASSERT_TRUE(window->ui);
        EXPECT_EQ(window->ui->mediaEditControl->waveGraph->durationSeconds, 7);
        ASSERT_EQ(yes.shown.size(), 1U) << "only the question, no failure";
    }

    std::unique_ptr<twtest::MainWindow> window;
    std::unique_ptr<twtest::WorkingFolder> work;
};

struct WorkingFileFault {
    const char* name;
    std::function<void()> apply;
    // Whether the preview must fall silent (a replaced file plays whatever it holds).
    bool silent;
};

void PrintTo(const WorkingFileFault& tested, std::ostream* out) {
    *out << tested.name;
}

class WorkingFileFaults : public PreviewFaultsTest,
                          public ::testing::WithParamInterface<WorkingFileFault> {};

TEST_P(WorkingFileFaults, DuringThePreviewGoSilentOrPlayOnWithoutHarm) {
    twtest::AlsaFileSink sink(4.0);
    Build();
    ImportAndPlay("song.wav", 12);
    AudioEngine* engine = window->ui->audioEngine;
    ASSERT_TRUE(engine->playing);
    ASSERT_TRUE(twtest::PumpUntil([&] { return sink.HasSoundAfter(0); }));

    GetParam().apply();
    if (GetParam().silent) {
        EXPECT_TRUE(twtest::PumpUntil([&] { return SilentLately(sink); }, 20000));
    } else {
        const size_t from = sink.Frames();
        EXPECT_TRUE(twtest::PumpUntil([&] { return sink.Frames() > from + 44100; }, 20000));
    }
    ExpectTheNextImportWorks();
}

INSTANTIATE_TEST_SUITE_P(
    WhilePlaying, WorkingFileFaults,
    ::testing::Values(WorkingFileFault{"Deleted", [] { fs::remove("temp/current.wav"); }, true},
                      WorkingFileFault{"TruncatedToItsHeader",
                                       [] { fs::resize_file("temp/current.wav", 44); }, true},
                      WorkingFileFault{"ReplacedByAnotherFile",
                                       [] {
                                           const twtest::WavFormat mono{8000, 1, false};
                                           ASSERT_TRUE(
                                               twtest::WriteWav("other.wav", mono,
                                                                twtest::Sine(mono, 30, 100, 3000)));
                                           fs::rename("other.wav", "temp/current.wav");
                                       },
                                       false}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(PreviewFaultsTest, WithoutASoundDeviceTheProgramStartsAndPlayDoesNothing) {
    const twtest::TempDir config;
    twtest::AlsaFileSink::RouteToNoDevice(config);
    Build();
    AudioEngine* engine = window->ui->audioEngine;
    ASSERT_NE(engine, nullptr);
    engine->AwaitOutput();
    EXPECT_FALSE(engine->initialised);
    window->Pick(work->File("song.wav"));
    EXPECT_FALSE(engine->playing);
    ImportAndPlay("song.wav", 12);
    EXPECT_FALSE(engine->playing);
    ClickButton(window->ui->playMediaButton);
    EXPECT_FALSE(engine->playing);
    ExpectTheNextImportWorks();
}

TEST_F(PreviewFaultsTest, ADeviceThatGoesAwayDuringThePreviewHarmsNothing) {
    twtest::AlsaFileSink sink(4.0);
    Build();
    ImportAndPlay("song.wav", 12);
    ASSERT_TRUE(twtest::PumpUntil([&] { return sink.HasSoundAfter(0); }));
    sink.Unplug();
    // The layer keeps writing into nothing for a while.
    twtest::PumpEvents(500);
    ClickButton(window->ui->mediaEditControl->stopButton);
    ClickButton(window->ui->mediaEditControl->playButton);
    twtest::PumpEvents(200);
    ClickButton(window->ui->playMediaButton);
    twtest::PumpEvents(200);
    ExpectTheNextImportWorks();
}

} // namespace
