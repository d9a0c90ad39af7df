// A converter that hangs, in the main window under Xvfb: Escape in the progress dialog presses
// its Cancel and the import ends with "cancelled"; a close request to the main window cancels
// the import and then closes the window. Either way the converter is gone and nothing changed.
#include "DialogAnswerer.h"
#include "EventPump.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "editor/twMediaEditControl.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/bmpbuttn.h>
#include <wx/progdlg.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::Contents;
using twtest::WriteConverter;

namespace {

using twtest::noHang;

wxProgressDialog* ImportDialog() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxProgressDialog*>(window); dialog && dialog->IsShown()) {
            return dialog;
        }
    }
    return nullptr;
}

class ImportCancelTest : public ::testing::Test {
protected:
    ImportCancelTest() {
        const twtest::WavFormat mono{8000, 1, false};
        EXPECT_TRUE(twtest::WriteWav("song.wav", mono, twtest::Sine(mono, 20, 300, 9000)));
        EXPECT_TRUE(twtest::WriteWav("temp/current.wav", mono, twtest::Sine(mono, 5, 200, 900)));
        previousMedia = Contents("temp/current.wav");
        // Starts writing, says where it runs, then hangs without a word of progress.
        WriteConverter("head -c 20000 song.wav > \"$out\"\necho $$ > pid\nsleep 60\n");
        window.Pick(work.File("song.wav"));
    }

    // Once the converter runs and the dialog is up, does `act` once, from a timer: the import
    // blocks the test in its handler, and the dialog handles timers while it waits.
    void WhileConverting(std::function<void()> act) {
        timer.Bind(wxEVT_TIMER, [this, act](wxTimerEvent&) {
            if (fs::exists("pid") && ImportDialog() != nullptr && !acted) {
                acted = true;
                act();
            }
        });
        timer.Start(50);
    }

    // Presses Import and returns when it has ended; by then the converter must be gone.
    void ImportUntilCancelled() {
        const auto started = std::chrono::steady_clock::now();
        window.Import();
        timer.Stop();
        EXPECT_LT(std::chrono::steady_clock::now() - started, noHang);
        EXPECT_TRUE(acted);
        EXPECT_TRUE(ConverterGone());
    }

    bool ConverterGone() const {
        const std::string pid = Contents("pid");
        return !pid.empty() && kill(std::stoi(pid), 0) != 0;
    }

    twtest::RecordingLayer layer;
    twtest::MainWindow window;
    twtest::WorkingFolder work{twtest::WorkingFolder::Converter::None};
    std::string previousMedia;
    wxTimer timer;
    bool acted = false;
};

TEST_F(ImportCancelTest, EscapeInTheProgressDialogCancelsAndSaysSo) {
    twtest::DialogAnswerer ok(wxID_OK);
    WhileConverting([] {
        wxProgressDialog* dialog = ImportDialog();
        dialog->Raise();
        dialog->SetFocus();
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    ImportUntilCancelled();
    ASSERT_EQ(ok.shown.size(), 1U);
    EXPECT_EQ(ok.shown[0].title, "Import cancelled");
    EXPECT_EQ(ok.shown[0].message, "The import was cancelled; nothing has changed.");
    EXPECT_FALSE(window.ui->mediaEditControl->waveGraph->loaded);
    EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
    EXPECT_TRUE(window.ui->importMediaButton->IsEnabled()) << "the window works on";
}

TEST_F(ImportCancelTest, ClosingTheMainWindowCancelsTheImportThenCloses) {
    twtest::DialogAnswerer ok(wxID_OK);
    twUserInterface* ui = window.ui;
    // As the window manager asks: GTK's delete event on the main window.
    WhileConverting([ui] { gtk_window_close(GTK_WINDOW(ui->GetHandle())); });
    ImportUntilCancelled();
    EXPECT_TRUE(twtest::PumpUntil([this] { return !window.ui; }))
        << "closed without a second request";
    EXPECT_TRUE(ok.shown.empty()) << "no message for a window that is closing";
    EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

} // namespace
