// Every kind of bad media through the main window, with Debian's ffmpeg as the converter and
// the real audio layer playing into ALSA's file device: picking it plays it or does nothing;
// importing it loads it with the right duration or says why in a message, and then the
// editor, its edits and the working file are as they were.
#include "../audio/AlsaFileSink.h"
#include "BadMedia.h"
#include "DialogAnswerer.h"
#include "EventPump.h"
#include "MainWindow.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::BadMedia;
using twtest::Contents;

namespace {

class BadMediaThroughTheWindow : public ::testing::TestWithParam<BadMedia> {
protected:
    BadMediaThroughTheWindow() {
        const twtest::WavFormat mono{8000, 1, false};
        EXPECT_TRUE(twtest::WriteWav("fifty.wav", mono, twtest::Sine(mono, 50, 300, 9000)));
    }
    static std::string Made(const std::string& name) { return TW_BAD_MEDIA "/" + name; }

    // Made before the window's engine opens the device, gone after the window released it.
    twtest::AlsaFileSink sink{0};
    twtest::MainWindow window;
    twtest::WorkingFolder folder;
};

TEST_P(BadMediaThroughTheWindow, PlaysOrDoesNothingThenImportsOrSaysWhyAndKeepsTheWork) {
    const BadMedia& media = GetParam();
    twtest::DialogAnswerer yes(wxID_YES);
    window.Pick(folder.File("fifty.wav"));
    window.Import();
    ASSERT_EQ(window.ui->mediaEditControl->waveGraph->durationSeconds, 50);
    window.ui->mediaEditControl->cutRuler->SetValues(5, 25);
    const std::vector<int32_t> before = window.EditorState();
    const std::string previousMedia = Contents("temp/current.wav");
    yes.shown.clear();

    AudioEngine* engine = window.ui->audioEngine;
    const bool sourceWasOpen = engine->streamOpen;
    window.Pick(Made(media.file));
    // What the preview can't hear is said, naming the file, and changes nothing.
    const bool unheard = media.reason == "The converter could not convert the chosen file" ||
                         media.reason == "The chosen file has no sound";
    if (fs::is_regular_file(Made(media.file)) && !unheard) {
        EXPECT_TRUE(engine->playing && engine->streamOpen);
    } else {
        EXPECT_FALSE(engine->playing);
        EXPECT_EQ(engine->streamOpen, sourceWasOpen);
    }
    if (unheard) {
        ASSERT_EQ(yes.shown.size(), 1U);
        EXPECT_EQ(yes.shown[0].message,
                  "\"" + media.file +
                      (media.reason == "The chosen file has no sound"
                           ? "\" has no sound.\n\nThere is nothing in it to hear or to make a "
                             "ringtone of."
                           : "\" could not be read as sound.\n\nIt is no sound or video file "
                             "Tonewick knows, or it is damaged."));
        yes.shown.clear();
    }
    // Let the layer decode and play whatever it made of the file.
    twtest::PumpEvents(100);
    window.Import();
    ASSERT_TRUE(window.ui);

    if (media.seconds > 0) {
        EXPECT_EQ(window.ui->mediaEditControl->waveGraph->durationSeconds, media.seconds);
        ASSERT_EQ(yes.shown.size(), 1U) << "only the question";
        EXPECT_EQ(yes.shown[0].title, "Warning!");
    } else {
        if (media.reason == "The chosen file does not exist") {
            // A folder is no file: the import stays silent, as for a path that names nothing.
            EXPECT_TRUE(yes.shown.empty());
        } else {
            ASSERT_EQ(yes.shown.size(), 2U);
            EXPECT_EQ(yes.shown[1].title, "Import failed");
            EXPECT_EQ(yes.shown[1].message.ToStdString().rfind(
                          "The media could not be imported; nothing has changed.\n\n" +
                              media.reason + ".",
                          0),
                      0U)
                << yes.shown[1].message;
        }
        EXPECT_EQ(window.EditorState(), before);
        EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
    }
    EXPECT_EQ(folder.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

INSTANTIATE_TEST_SUITE_P(Corpus, BadMediaThroughTheWindow,
                         ::testing::ValuesIn(twtest::BadMediaCases()),
                         [](const auto& tested) { return twtest::BadMediaName(tested.param); });

} // namespace
