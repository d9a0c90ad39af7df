// A ringtone made with the keyboard alone: real key presses through the display (XTest) from
// the window's start to a saved file, through the real import (Debian's ffmpeg), the real save
// dialog and the last message, checking where the focus is after each dialog. Keys meant for a
// dialog are pressed from inside its modal loop, once it has the keyboard.
#include "EventPump.h"
#include "MainWindow.h"
#include "RecordingLayer.h"
#include "TempDir.h"
#include "TestWav.h"
#include "WorkingFolder.h"
#include "editor/twMediaEditControl.h"
#include "ui/twUserInterface.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/filepicker.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Key {
    int code;
    int modifiers = wxMOD_NONE;
};

// Presses each dialog's keys once the dialog has the keyboard, in the order dialogs come.
class DialogKeys : public wxModalDialogHook {
public:
    DialogKeys() { Register(); }
    ~DialogKeys() override { Unregister(); }
    // Keys for the next dialog of the kind; other dialogs (progress) get none.
    template <class Kind> void Expect(std::vector<Key> keys) {
        script.push_back(
            {[](wxDialog* d) { return dynamic_cast<Kind*>(d) != nullptr; }, std::move(keys)});
    }
    int shown = 0;

protected:
    int Enter(wxDialog* dialog) override {
        ++shown;
        if (!script.empty() && script.front().kind(dialog)) {
            const std::vector<Key> keys = script.front().keys;
            script.pop_front();
            wxWeakRef<wxDialog> weak(dialog);
            wxTheApp->CallAfter([weak, keys] {
                twtest::PumpUntil([&] { return !weak || weak->IsActive(); });
                twtest::PumpEvents(300);
                for (const Key& key : keys) {
                    wxUIActionSimulator().Char(key.code, key.modifiers);
                    twtest::PumpEvents(100);
                }
            });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    struct Script {
        std::function<bool(wxDialog*)> kind;
        std::vector<Key> keys;
    };
    std::deque<Script> script;
};

class KeyboardWalk : public ::testing::Test {
protected:
    KeyboardWalk() {
        // A phone mounted by the desktop: the save dialog opens in its Ringtones folder.
        std::filesystem::create_directories(ringtones);
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        ui = window.ui;
        ui->Raise();
        twtest::PumpUntil([&] { return ui->IsActive(); });
    }
    ~KeyboardWalk() override { unsetenv("XDG_RUNTIME_DIR"); }

    // Presses a key and waits until the window has handled it, dialogs and all.
    void Press(int code, int modifiers = wxMOD_NONE) {
        wxUIActionSimulator().Char(code, modifiers);
        twtest::PumpEvents(150);
    }
    // Tabs on until the control has the focus, noting every control passed on the way.
    std::vector<wxWindow*> TabTo(wxWindow* control) {
        std::vector<wxWindow*> passed;
        for (int i = 0; i < 30 && KeyboardFocus(ui) != control; ++i) {
            Press(WXK_TAB);
            passed.push_back(KeyboardFocus(ui));
        }
        EXPECT_EQ(KeyboardFocus(ui), control) << control->GetName();
        return passed;
    }

    twtest::RecordingLayer layer;
    twtest::TempDir runtime;
    const std::filesystem::path ringtones =
        runtime.Path() / "gvfs/mtp:host=Acme_Phone_1/Internal shared storage/Ringtones";
    twtest::MainWindow window;
    twtest::WorkingFolder folder;
    twUserInterface* ui = nullptr;
};

} // namespace

TEST_F(KeyboardWalk, makesARingtoneFromStartToSavedFileWithKeysAlone) {
    ASSERT_TRUE(twtest::WriteWav("song.wav", {8000, 1}, twtest::Sine({8000, 1}, 60, 440, 9000)));
    twMediaEditControl* panel = ui->mediaEditControl;
    DialogKeys dialogs;

    // Step 0: the song's name typed into the picker's field, then the import button.
    ASSERT_EQ(KeyboardFocus(ui), ui->playMediaButton);
    Press(WXK_TAB, wxMOD_SHIFT);
    Press(WXK_TAB, wxMOD_SHIFT);
    ASSERT_EQ(KeyboardFocus(ui), ui->mediaFilePicker->GetTextCtrl());
    wxUIActionSimulator().Text("song.wav");
    twtest::PumpEvents(200);
    TabTo(ui->importMediaButton);
    Press(WXK_RETURN);
    ASSERT_TRUE(twtest::PumpUntil([&] { return panel->waveGraph->loaded; }, 30000));
    twtest::PumpEvents(300);
    EXPECT_EQ(KeyboardFocus(ui), ui->importMediaButton) << "after the import's dialogs";

    // The cut: its start three seconds on, its end one back.
    TabTo(panel->cutRuler);
    for (int i = 0; i < 3; ++i) {
        Press(WXK_RIGHT);
    }
    Press(WXK_LEFT, wxMOD_SHIFT);
    EXPECT_EQ(panel->cutRuler->startValue, 4);
    EXPECT_EQ(panel->cutRuler->endValue, 44);

    // The steps in their order, then Convert and Send: the first phone and its first model,
    // then the next format it takes. The device list is empty (no search), which Tab passes.
    TabTo(ui->vendorChoice);
    Press(WXK_DOWN);
    EXPECT_EQ(ui->vendorChoice->GetSelection(), 0);
    Press(WXK_TAB);
    ASSERT_EQ(KeyboardFocus(ui), ui->modelChoice);
    Press(WXK_DOWN);
    EXPECT_EQ(ui->modelChoice->GetSelection(), 0);
    const std::vector<wxWindow*> order = TabTo(ui->convertAndSendButton);
    const std::vector<wxWindow*> steps = {ui->formatRadioBox, ui->sendMethodChoice,
                                          ui->refreshDevicesButton, ui->convertAndSendButton};
    EXPECT_EQ(order, steps);
    for (int i = 0; i < 3; ++i) {
        Press(WXK_TAB, wxMOD_SHIFT);
    }
    ASSERT_EQ(KeyboardFocus(ui), ui->formatRadioBox);
    const int format = ui->formatRadioBox->GetSelection();
    Press(WXK_RIGHT);
    EXPECT_GT(ui->formatRadioBox->GetSelection(), format) << "the arrow selects";
    EXPECT_EQ(KeyboardFocus(ui), ui->formatRadioBox);

    // Saved where the dialog opens, with its own name; the last message closed with Return.
    dialogs.Expect<wxFileDialog>({{WXK_RETURN}});
    dialogs.Expect<wxMessageDialog>({{WXK_RETURN}});
    TabTo(ui->convertAndSendButton);
    Press(WXK_RETURN);
    ASSERT_TRUE(twtest::PumpUntil([&] { return dialogs.shown >= 3; }, 60000));
    twtest::PumpEvents(300);
    std::vector<std::string> saved;
    for (const auto& entry : std::filesystem::directory_iterator(ringtones)) {
        saved.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(saved.size(), 1u) << "dialogs: " << dialogs.shown;
    EXPECT_EQ(KeyboardFocus(ui), ui->convertAndSendButton) << "after the last message";
}
