// The import command under Xvfb: the editor panel in a frame of its own over the recording
// audio layer, a stand-in converter at temp/ffmpeg of a working folder the test makes, and
// the question and the failure message answered by the test.
#include "ui/ImportCommand.h"

#include "../editor/PanelFixture.h"
#include "DialogAnswerer.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "widgets/ButtonClick.h"
#include "widgets/MessageDialog.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::Contents;
using twtest::WriteConverter;

namespace {

using twtest::Calls;

struct Shown {
    wxString caption;
    wxString text;
};

// The panel is built in the run folder, where it finds its pictures; the test then works in a
// folder of its own.
class ImportCommandTest : public twtest::PanelFixture {
protected:
    ImportCommandTest() {
        engine = panel->audioEngine;
        command.mainWindow = frame;
        command.audioEngine = engine;
        command.editor = panel;

        const twtest::WavFormat mono{8000, 1, false};
        EXPECT_TRUE(twtest::WriteWav("three.wav", mono, twtest::Sine(mono, 3, 440, 9000)));
        EXPECT_TRUE(twtest::WriteWav("fifty.wav", mono, twtest::Sine(mono, 50, 220, 9000)));
        // Copies its source to its output, as if it had converted it, and counts its runs.
        WriteConverter("echo run >> runs\ncp \"$2\" \"$out\"\n");

        command.ask = [this](const wxString& caption, const wxString& text) {
            asked.push_back({caption, text});
            return answer;
        };
        command.inform = [this](const wxString& caption, const wxString& text) {
            informed.push_back({caption, text});
        };
        command.toggleSourcePreview = [this] {
            toggledBeforeConverting = !fs::exists("runs") && work.TempLeftovers().empty();
            engine->Stop();
        };
    }
    static int ConverterRuns() {
        const std::string runs = Contents("runs");
        return static_cast<int>(std::count(runs.begin(), runs.end(), '\n'));
    }
    // The source file as the preview plays it.
    void PlaySource(const char* path) {
        engine->fileType = AudioFileWav;
        engine->SetFile(fs::absolute(path).wstring());
        engine->OpenStream(true);
        engine->Play();
    }
    void PlayRingtone() { ClickButton(panel->playButton); }
    // The editor's state that an import must either replace entirely or leave alone.
    std::vector<int32_t> EditorState() const {
        return {panel->waveGraph->durationSeconds, panel->cutRuler->startValue,
                panel->cutRuler->endValue,         panel->fadeInRuler->startValue,
                panel->fadeOutRuler->startValue,   panel->silenceRuler->startValue,
                panel->timeRuler->startValue,      panel->zoom};
    }

    twtest::WorkingFolder work{twtest::WorkingFolder::Converter::None};
    AudioEngine* engine;
    ImportCommand command{nullptr, nullptr, nullptr, nullptr};
    std::vector<Shown> asked;
    std::vector<Shown> informed;
    int answer = wxID_YES;
    bool toggledBeforeConverting = false;
};

TEST_F(ImportCommandTest, FirstImportAsksNothingAndLoadsTheNewMedia) {
    ASSERT_TRUE(command.Run("fifty.wav"));
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(informed.empty());
    EXPECT_TRUE(panel->waveGraph->loaded);
    EXPECT_EQ(panel->waveGraph->durationSeconds, 50);
    EXPECT_EQ(panel->cutRuler->startValue, 1);
    EXPECT_EQ(panel->cutRuler->endValue, 45);
    EXPECT_EQ(panel->zoom, 4);
    EXPECT_EQ(Contents("temp/current.wav"), Contents("fifty.wav"));
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportCommandTest, SecondImportAnsweredNoOrCancelChangesNothing) {
    ASSERT_TRUE(command.Run("fifty.wav"));
    panel->cutRuler->SetValues(5, 20);
    PlaySource("three.wav");
    const std::vector<int32_t> before = EditorState();
    Since();
    for (const int declined : {wxID_NO, wxID_CANCEL}) {
        answer = declined;
        EXPECT_FALSE(command.Run("three.wav"));
        EXPECT_EQ(EditorState(), before);
        EXPECT_TRUE(engine->playing);
        EXPECT_TRUE(Since().empty());
        EXPECT_EQ(ConverterRuns(), 1);
        EXPECT_EQ(Contents("temp/current.wav"), Contents("fifty.wav"));
        EXPECT_TRUE(informed.empty());
    }
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[0].caption, "Warning!");
    EXPECT_EQ(asked[0].text, "If you will import new media, all progress will be lost. Would you "
                             "like to import new media anyway?");
    EXPECT_EQ(command.error, ImportError::None);

    answer = wxID_YES;
    ASSERT_TRUE(command.Run("three.wav"));
    EXPECT_EQ(panel->waveGraph->durationSeconds, 3);
    EXPECT_EQ(panel->cutRuler->endValue, 3);
}

TEST_F(ImportCommandTest, ImportWhileTheSourcePlaysStopsItThroughTheToggleFirst) {
    PlaySource("three.wav");
    Since();
    ASSERT_TRUE(command.Run("fifty.wav"));
    EXPECT_TRUE(toggledBeforeConverting);
    EXPECT_EQ(Since(), (Calls{"Stop(1)"}));
    // The source stays open, so the preview button plays it again from its beginning.
    EXPECT_TRUE(engine->streamOpen);
    EXPECT_TRUE(engine->fromFile);
    EXPECT_FALSE(engine->playing);
}

TEST_F(ImportCommandTest, ImportWhileTheRingtonePlaysStopsAndFreesItBeforeConverting) {
    ASSERT_TRUE(command.Run("three.wav"));
    PlayRingtone();
    ASSERT_TRUE(engine->playing);
    ASSERT_FALSE(engine->fromFile);
    const uint32_t ringtone = engine->stream;
    Since();
    // A failing conversion: only the import itself can have stopped the ringtone.
    WriteConverter("echo run >> runs\nexit 1\n");
    command.toggleSourcePreview = [this] { toggledBeforeConverting = true; };
    EXPECT_FALSE(command.Run("fifty.wav"));
    const std::string handle = std::to_string(ringtone);
    EXPECT_EQ(Since(), (Calls{"Stop(" + handle + ")", "FreeStream(" + handle + ")"}));
    EXPECT_FALSE(engine->streamOpen);
    EXPECT_FALSE(toggledBeforeConverting);
    EXPECT_EQ(ConverterRuns(), 2);
}

TEST_F(ImportCommandTest, FailedConversionKeepsThePreviousMediaAndExplainsWhy) {
    ASSERT_TRUE(command.Run("fifty.wav"));
    panel->cutRuler->SetValues(5, 20);
    const std::vector<int32_t> before = EditorState();
    // It even wrote a good file before failing: a failure is a failure.
    WriteConverter("cp three.wav \"$out\"\n"
                   "echo 'three.wav: Invalid data found when processing input'\nexit 1\n");
    EXPECT_FALSE(command.Run("three.wav"));
    EXPECT_EQ(command.error, ImportError::ConverterFailed);
    ASSERT_EQ(informed.size(), 1U);
    EXPECT_EQ(informed[0].caption, "Import failed");
    EXPECT_EQ(informed[0].text, "The media could not be imported; nothing has changed.\n\n"
                                "The converter could not convert the chosen file.\n\n"
                                "The converter's last lines:\n"
                                "three.wav: Invalid data found when processing input");
    EXPECT_EQ(EditorState(), before);
    EXPECT_TRUE(panel->waveGraph->loaded);
    EXPECT_EQ(Contents("temp/current.wav"), Contents("fifty.wav"));
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});

    // Still fully usable: the ringtone plays from the kept working file.
    PlayRingtone();
    EXPECT_TRUE(engine->playing);
}

TEST_F(ImportCommandTest, MissingConverterIsSaidAndAMissingSourceDoesNothing) {
    fs::remove("temp/ffmpeg");
    EXPECT_FALSE(command.Run("three.wav"));
    ASSERT_EQ(informed.size(), 1U);
    EXPECT_EQ(informed[0].text, "The media could not be imported; nothing has changed.\n\n"
                                "There is no converter at temp/ffmpeg.");
    EXPECT_FALSE(panel->waveGraph->loaded);
    EXPECT_EQ(panel->zoom, 1);

    EXPECT_FALSE(command.Run("no such file.mp3"));
    EXPECT_EQ(informed.size(), 1U);
    EXPECT_TRUE(asked.empty());
}

TEST_F(ImportCommandTest, DebiansConverterImportsAnMp3WhoseNameHasBlanksQuotesAndUmlauts) {
    const std::string source = "My \"first\" Grüße.mp3";
    ASSERT_EQ(std::system(
                  ("ffmpeg -nostdin -loglevel error -i three.wav -c:a libmp3lame '" + source + "'")
                      .c_str()),
              0);
    fs::remove("temp/ffmpeg");
    fs::create_symlink("/usr/bin/ffmpeg", "temp/ffmpeg");
    ASSERT_TRUE(command.Run(wxString::FromUTF8(source)))
        << (informed.empty() ? wxString() : informed[0].text);
    EXPECT_EQ(panel->waveGraph->durationSeconds, 3);
    EXPECT_EQ(panel->waveGraph->sampleRate, 8000);
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportCommandTest, TheRealQuestionAndMessageAreMessageDialogs) {
    ImportCommand real(frame, engine, panel, nullptr);
    ASSERT_TRUE(real.Run("three.wav"));
    {
        twtest::DialogAnswerer cancel(wxID_CANCEL);
        EXPECT_FALSE(real.Run("fifty.wav"));
        ASSERT_EQ(cancel.shown.size(), 1U);
        EXPECT_EQ(cancel.shown[0].title, "Warning!");
        EXPECT_EQ(cancel.shown[0].message, WrapMessage(ImportCommand::confirmText));
        EXPECT_EQ(cancel.shown[0].style & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
    }
    WriteConverter("exit 1\n");
    twtest::DialogAnswerer yes(wxID_YES);
    EXPECT_FALSE(real.Run("fifty.wav"));
    ASSERT_EQ(yes.shown.size(), 2U);
    EXPECT_EQ(yes.shown[1].title, "Import failed");
    EXPECT_EQ(yes.shown[1].style & wxICON_ERROR, wxICON_ERROR);
    EXPECT_EQ(panel->waveGraph->durationSeconds, 3);
}

} // namespace
