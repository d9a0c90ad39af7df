// A ringtone made with the keyboard alone: real key presses through the display (XTest) from
// the window's start to a saved file, through the real import (Debian's ffmpeg), the real save
// dialog and the last message, checking where the focus is after each dialog.
#include "EventPump.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TempDir.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/filepicker.h>
#include <wx/modalhook.h>
#include <wx/progdlg.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

// Presses Return in every dialog that asks (the save dialog, the messages) once it has the
// keyboard, from inside its modal loop; counts the dialogs, progress dialogs included.
struct ReturnInDialogs : wxModalDialogHook {
    int shown = 0;
    int Enter(wxDialog* dialog) override {
        ++shown;
        if (dynamic_cast<wxGenericProgressDialog*>(dialog) == nullptr) {
            wxTheApp->CallAfter([weak = wxWeakRef<wxDialog>(dialog)] {
                twtest::PumpUntil([&] { return !weak || weak->IsActive(); });
                twtest::PumpEvents(300);
                wxUIActionSimulator().Char(WXK_RETURN);
            });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
};

void Press(int code, int modifiers = wxMOD_NONE, int times = 1) {
    for (int i = 0; i < times; ++i) {
        wxUIActionSimulator().Char(code, modifiers);
        twtest::PumpEvents(150);
    }
}

// Tabs on until the control has the focus; the controls passed on the way.
std::vector<wxWindow*> TabTo(wxWindow* control) {
    std::vector<wxWindow*> passed;
    wxWindow* frame = wxGetTopLevelParent(control);
    for (int i = 0; i < 30 && KeyboardFocus(frame) != control; ++i) {
        Press(WXK_TAB);
        passed.push_back(KeyboardFocus(frame));
    }
    EXPECT_EQ(KeyboardFocus(frame), control) << control->GetName();
    return passed;
}

} // namespace

TEST(KeyboardWalk, makesARingtoneFromStartToSavedFileWithKeysAlone) {
    // A phone mounted by the desktop: the save dialog opens in its Ringtones folder.
    const twtest::TempDir runtime;
    const auto ringtones = runtime.Path() / "gvfs/mtp:host=Acme_1/Internal storage/Ringtones";
    std::filesystem::create_directories(ringtones);
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const twtest::RecordingLayer layer;
    const twtest::MainWindow window;
    const twtest::WorkingFolder folder;
    twUserInterface* ui = window.ui;
    twMediaEditControl* panel = ui->mediaEditControl;
    ui->Raise();
    twtest::PumpUntil([&] { return ui->IsActive(); });
    ASSERT_TRUE(twtest::WriteWav("song.wav", {8000, 1}, twtest::Sine({8000, 1}, 60, 440, 9000)));
    ReturnInDialogs dialogs;
    dialogs.Register();

    // The song's name typed into the picker's field, then the import button.
    ASSERT_EQ(KeyboardFocus(ui), ui->playMediaButton);
    Press(WXK_TAB, wxMOD_SHIFT, 2);
    ASSERT_EQ(KeyboardFocus(ui), ui->mediaFilePicker->GetTextCtrl());
    wxUIActionSimulator().Text("song.wav");
    TabTo(ui->importMediaButton);
    Press(WXK_RETURN);
    ASSERT_TRUE(twtest::PumpUntil([&] { return panel->waveGraph->loaded; }, 30000));
    twtest::PumpEvents(300);
    EXPECT_EQ(KeyboardFocus(ui), ui->importMediaButton) << "after the import's dialogs";

    // The cut's start three seconds on, its end (Shift) one back.
    TabTo(panel->cutRuler);
    Press(WXK_RIGHT, wxMOD_NONE, 3);
    Press(WXK_LEFT, wxMOD_SHIFT);
    EXPECT_EQ(panel->cutRuler->startValue, 4);
    EXPECT_EQ(panel->cutRuler->endValue, 44);

    // The steps in their order: the first phone and model, the format after the first it
    // takes; the empty device list (no search) is passed by.
    TabTo(ui->vendorChoice);
    Press(WXK_DOWN);
    Press(WXK_TAB);
    ASSERT_EQ(KeyboardFocus(ui), ui->modelChoice);
    Press(WXK_DOWN);
    EXPECT_EQ(ui->modelChoice->GetSelection(), 0);
    EXPECT_EQ(TabTo(ui->convertAndSendButton),
              (std::vector<wxWindow*>{ui->formatRadioBox, ui->sendMethodChoice,
                                      ui->refreshDevicesButton, ui->convertAndSendButton}));
    Press(WXK_TAB, wxMOD_SHIFT, 3);
    const int format = ui->formatRadioBox->GetSelection();
    Press(WXK_RIGHT);
    EXPECT_GT(ui->formatRadioBox->GetSelection(), format) << "the arrow selects";

    // Saved where the dialog opens, under its own name; the last message closed with Return.
    TabTo(ui->convertAndSendButton);
    Press(WXK_RETURN);
    ASSERT_TRUE(twtest::PumpUntil([&] { return dialogs.shown >= 3; }, 60000));
    twtest::PumpEvents(300);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ringtones), {}), 1);
    EXPECT_EQ(KeyboardFocus(ui), ui->convertAndSendButton) << "after the last message";
    dialogs.Unregister();
    unsetenv("XDG_RUNTIME_DIR");
}
