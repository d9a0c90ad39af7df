// The source preview of the main window under Xvfb on the recording audio layer: picking a file
// plays it with the opener its extension selects, the play button stops and restarts it and
// shows what the next press does, and it takes the engine from the ringtone preview.
#include "EventPump.h"
#include "TempDir.h"
#include "TestWav.h"
#include "audio/AudioEngine.h"
#include "platform/fake/RecordingAudioOutput.h"
#include "ui/twUserInterface.h"
#include "widgets/ButtonPicture.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/filepicker.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class SourcePreview : public ::testing::Test {
protected:
    SourcePreview() {
        auto layer = std::make_unique<RecordingAudioOutput>();
        calls = layer->calls;
        AudioEngine::UseOutput(std::move(layer));
        ui = new twUserInterface();
        ui->audioEngine->AwaitOutput();
        ui->Show();
        twtest::PumpEvents(50);
    }
    // The controller stops and frees the stream and releases the engine.
    ~SourcePreview() override {
        if (ui != nullptr) {
            ui->Destroy();
            twtest::PumpEvents(10);
        }
    }

    // A file the layer is asked to open; the recording layer never reads it.
    std::string File(const std::string& name) {
        const std::string path = dir.File(name);
        std::ofstream(path) << "sound";
        return path;
    }
    void Pick(const std::string& path) {
        ui->mediaFilePicker->SetPath(path);
        wxFileDirPickerEvent event;
        ui->OnMediaFileChanged(event);
    }
    void Press() {
        wxCommandEvent event;
        ui->OnPlayMedia(event);
    }
    Calls Since() {
        Calls recent(calls->begin() + static_cast<std::ptrdiff_t>(seen), calls->end());
        seen = calls->size();
        return recent;
    }
    bool Shows(const char* picture) const {
        const wxImage shown = ui->playMediaButton->GetBitmapLabel().ConvertToImage();
        const wxImage wanted = ButtonPicture(picture).ConvertToImage();
        return shown.IsOk() && wanted.IsOk() && shown.GetSize() == wanted.GetSize() &&
               std::equal(shown.GetData(),
                          shown.GetData() + shown.GetWidth() * shown.GetHeight() * 3,
                          wanted.GetData());
    }

    twtest::TempDir dir;
    std::shared_ptr<RecordingAudioOutput::CallLog> calls;
    twUserInterface* ui;
    size_t seen = 0;
};

} // namespace

TEST_F(SourcePreview, mixedCaseMp3PlaysThroughTheWavAndMp3OpenerAndShowsStop) {
    const std::string path = File("song.Mp3");
    Since();
    Pick(path);
    EXPECT_EQ(Since(), (Calls{"CreateFileStream(WavOrMp3," + path + ")", "SetVolume(1,1)",
                              "Play(1,restart)"}));
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileMp3);
    EXPECT_TRUE(Shows("images/StopMedia.bmp"));
}

TEST_F(SourcePreview, m4aUsesTheMp4OpenerAndAnUnknownExtensionKeepsIt) {
    const std::string m4a = File("tune.m4a");
    const std::string ogg = File("other.ogg");
    Since();
    Pick(m4a);
    EXPECT_EQ(Since().front(), "CreateFileStream(Mp4," + m4a + ")");
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileMp4);
    Pick(ogg);
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", "CreateFileStream(Mp4," + ogg + ")",
                              "SetVolume(2,1)", "Play(2,restart)"}));
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileMp4);
}

TEST_F(SourcePreview, buttonStopsThePlayingSourceThenRestartsItFromTheBeginning) {
    Pick(File("song.wav"));
    Since();
    Press();
    EXPECT_EQ(Since(), Calls{"Stop(1)"});
    EXPECT_TRUE(Shows("images/PlayMedia.bmp"));
    Press();
    EXPECT_EQ(Since(), Calls{"Play(1,restart)"});
    EXPECT_TRUE(Shows("images/StopMedia.bmp"));
}

TEST_F(SourcePreview, buttonDuringTheRingtonePreviewEndsItAndPlaysTheSource) {
    const std::string work = dir.File("current.wav");
    ASSERT_TRUE(twtest::WriteWav(work, {8000, 1}, twtest::Sine({8000, 1}, 50, 440, 9000)));
    ASSERT_TRUE(ui->mediaEditControl->CalculateMediaData(work, ui));
    const std::string source = File("song.wav");
    ui->mediaFilePicker->SetPath(source);
    wxCommandEvent click(wxEVT_COMMAND_BUTTON_CLICKED);
    ui->mediaEditControl->OnPlayRingtone(click);
    ASSERT_TRUE(ui->audioEngine->playing);
    ASSERT_FALSE(ui->audioEngine->fromFile);
    Since();
    Press();
    EXPECT_EQ(Since(),
              (Calls{"Stop(1)", "FreeStream(1)", "CreateFileStream(WavOrMp3," + source + ")",
                     "SetVolume(2,1)", "Play(2,restart)"}));
    EXPECT_TRUE(ui->audioEngine->fromFile);
    EXPECT_TRUE(Shows("images/StopMedia.bmp"));
}

TEST_F(SourcePreview, nothingHappensWithoutAnExistingFile) {
    Pick(File("song.wav"));
    Since();
    Press();
    Press();
    Since();
    Pick(dir.File("gone.wav"));
    EXPECT_EQ(Since(), Calls{}) << "not even the playing source stops";
    EXPECT_TRUE(ui->audioEngine->playing);
}

TEST_F(SourcePreview, buttonWithAnEmptyPickerDoesNothing) {
    Since();
    Press();
    EXPECT_EQ(Since(), Calls{});
    EXPECT_TRUE(Shows("images/PlayMedia.bmp"));
}

TEST_F(SourcePreview, closingTheWindowWhileTheSourcePlaysStopsItBeforeTheLibraryIsReleased) {
    Pick(File("song.wav"));
    Since();
    ui->Close(true);
    ASSERT_TRUE(twtest::PumpUntil([&] { return calls->size() >= seen + 3; }));
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", "Free()"}));
    ui = nullptr;
}
