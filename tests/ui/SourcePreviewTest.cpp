// The source preview of the main window under Xvfb on the recording audio layer: picking a file
// plays it as the kind its extension (else its content) says, the play button stops and
// restarts it and shows what the next press does, and it takes the engine from the ringtone
// preview.
#include "EventPump.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TempDir.h"
#include "TestWav.h"
#include "audio/AudioEngine.h"
#include "widgets/ButtonPicture.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/filepicker.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using twtest::Calls;

class SourcePreview : public ::testing::Test {
protected:
    // A file the layer is asked to open, checked as sound first; the recording layer never
    // reads it.
    std::string File(const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(twtest::WriteWav(path, {8000, 1}, twtest::Sine({8000, 1}, 1, 440, 9000)));
        return path;
    }
    void Pick(const std::string& path) { window.Pick(path); }
    void Press() { window.PlayMedia(); }
    Calls Since() { return layer.Since(); }
    bool Shows(const char* picture) const {
        const wxImage shown = ui->playMediaButton->GetBitmapLabel().ConvertToImage();
        const wxImage wanted = ButtonPicture(picture).ConvertToImage();
        return shown.IsOk() && wanted.IsOk() && shown.GetSize() == wanted.GetSize() &&
               std::equal(shown.GetData(),
                          shown.GetData() + shown.GetWidth() * shown.GetHeight() * 3,
                          wanted.GetData());
    }

    twtest::TempDir dir;
    twtest::RecordingLayer layer;
    twtest::MainWindow window;
    twUserInterface* ui = window.ui;
};

} // namespace

TEST_F(SourcePreview, mixedCaseMp3PlaysAsAnMp3AndShowsStop) {
    const std::string path = File("song.Mp3");
    Since();
    Pick(path);
    EXPECT_EQ(Since(),
              (Calls{"CreateFileStream(MP3," + path + ")", "SetVolume(1,1)", "Play(1,restart)"}));
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileMp3);
    EXPECT_TRUE(Shows("images/StopMedia.bmp"));
}

TEST_F(SourcePreview, m4aIsAnMp4AndAFileNamedForNoKindIsTheKindOfItsContent) {
    const std::string m4a = File("tune.m4a");
    const std::string other = File("other.snd");
    Since();
    Pick(m4a);
    EXPECT_EQ(Since().front(), "CreateFileStream(MP4," + m4a + ")");
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileMp4);
    Pick(other);
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", "CreateFileStream(WAV," + other + ")",
                              "SetVolume(2,1)", "Play(2,restart)"}));
    EXPECT_EQ(ui->audioEngine->fileType, AudioFileWav);
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
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", "CreateFileStream(WAV," + source + ")",
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
    const size_t before = layer.calls->size();
    ui->Close(true);
    ASSERT_TRUE(twtest::PumpUntil([&] { return layer.calls->size() >= before + 3; }));
    EXPECT_EQ(Since(), (Calls{"Stop(1)", "FreeStream(1)", "Free()"}));
}
