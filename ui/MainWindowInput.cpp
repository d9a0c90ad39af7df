#include "ui/MainWindowInput.h"

#include "ui/twMainFrame.h"
#include "widgets/ButtonClick.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/twRuler.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/filepicker.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>

#include <array>

namespace {

using Command = MainWindowInput::Command;

struct Shortcut {
    int keyCode;
    int modifiers;
    Command command;
};

const std::array<Shortcut, 11> kShortcuts = {{
    {WXK_SPACE, wxMOD_NONE, Command::PlayOrPause},
    {WXK_ESCAPE, wxMOD_NONE, Command::Stop},
    {'O', wxMOD_CONTROL, Command::Browse},
    {'I', wxMOD_CONTROL, Command::Import},
    {WXK_F1, wxMOD_NONE, Command::Help},
    {WXK_LEFT, wxMOD_NONE, Command::Earlier},
    {WXK_RIGHT, wxMOD_NONE, Command::Later},
    {'S', wxMOD_NONE, Command::Suggest},
    {WXK_MENU, wxMOD_NONE, Command::Menu},
    {WXK_HOME, wxMOD_NONE, Command::ToLowerEnd},
    {WXK_END, wxMOD_NONE, Command::ToUpperEnd},
}};

} // namespace

MainWindowInput::MainWindowInput(twMainFrame& owner) : frame(owner) {
    frame.Bind(wxEVT_CHAR_HOOK, &MainWindowInput::OnCharHook, this);
    frame.DragAcceptFiles(true);
    frame.Bind(wxEVT_DROP_FILES, &MainWindowInput::OnDropFiles, this);
    // Keys reach the window only through a control that holds the focus, and the first one,
    // the picker's text field, keeps them for typing: the keys work from the start this way.
    frame.playMediaButton->SetFocus();
}

MainWindowInput::~MainWindowInput() {
    frame.Unbind(wxEVT_DROP_FILES, &MainWindowInput::OnDropFiles, this);
    frame.DragAcceptFiles(false);
    frame.Unbind(wxEVT_CHAR_HOOK, &MainWindowInput::OnCharHook, this);
}

MainWindowInput::Command MainWindowInput::CommandFor(int keyCode, int modifiers) {
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.keyCode == keyCode && shortcut.modifiers == modifiers) {
            return shortcut.command;
        }
    }
    return Command::None;
}

void MainWindowInput::PickMediaFile(twMainFrame& frame, const wxString& path) {
    wxFilePickerCtrl* picker = frame.mediaFilePicker;
    picker->SetPath(path);
    wxFileDirPickerEvent changed(wxEVT_COMMAND_FILEPICKER_CHANGED, picker, picker->GetId(), path);
    picker->ProcessWindowEvent(changed);
}

bool MainWindowInput::Run(Command command) {
    twMediaEditControl* editor = frame.mediaEditControl;
    switch (command) {
    case Command::PlayOrPause:
        editor->PlayOrPauseRingtone();
        return true;
    case Command::Stop:
        editor->StopRingtone();
        return true;
    case Command::Browse:
        ClickButton(frame.mediaFilePicker->GetPickerCtrl());
        return true;
    case Command::Import:
        ClickButton(frame.importMediaButton);
        return true;
    case Command::Help:
        ClickButton(frame.helpButton);
        return true;
    case Command::Earlier:
        return editor->NudgeMarker(-1);
    case Command::Later:
        return editor->NudgeMarker(1);
    case Command::Suggest:
        return editor->SuggestCatchiestPart();
    case Command::Menu:
        editor->ShowEditorMenu(wxDefaultPosition);
        return true;
    case Command::ToLowerEnd:
        return editor->MoveMarkerToEnd(false);
    case Command::ToUpperEnd:
        return editor->MoveMarkerToEnd(true);
    case Command::None:
        break;
    }
    return false;
}

bool MainWindowInput::TypingInPicker(const wxKeyEvent& event) const {
    const wxTextCtrl* field = frame.mediaFilePicker->GetTextCtrl();
    if (field == nullptr) {
        return false;
    }
    const auto inField = [field](wxWindow* window) {
        return window != nullptr && (window == field || field->IsDescendant(window));
    };
    return inField(dynamic_cast<wxWindow*>(event.GetEventObject())) ||
           inField(wxWindow::FindFocus());
}

bool MainWindowInput::MoveFocusedMarker(const wxKeyEvent& event) {
    auto* ruler = dynamic_cast<twRuler*>(KeyboardFocus(&frame));
    twMediaEditControl* editor = frame.mediaEditControl;
    if (ruler == nullptr || ruler->GetParent() != editor) {
        return false;
    }
    // Shift takes the cut's end; the other rulers have one marker.
    const bool shift = event.GetModifiers() == wxMOD_SHIFT && ruler == editor->cutRuler;
    if (event.GetModifiers() != wxMOD_NONE && !shift) {
        return false;
    }
    const int32_t marker = shift ? 2 : 1;
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
        ruler->Nudge(marker, -1);
        return true;
    case WXK_RIGHT:
        ruler->Nudge(marker, 1);
        return true;
    case WXK_HOME:
        ruler->MoveToEnd(marker, false);
        return true;
    case WXK_END:
        ruler->MoveToEnd(marker, true);
        return true;
    default:
        return false;
    }
}

void MainWindowInput::OnCharHook(wxKeyEvent& event) {
    if (TypingInPicker(event)) {
        event.Skip();
        return;
    }
    if (MoveFocusedMarker(event)) {
        return;
    }
    const Command command = CommandFor(event.GetKeyCode(), event.GetModifiers());
    // Space ticks a focused check box and picks a focused format: there it has a meaning of its
    // own.
    const wxWindow* focus = KeyboardFocus(&frame);
    const bool ownSpace =
        dynamic_cast<const wxCheckBox*>(focus) != nullptr || focus == frame.formatRadioBox;
    if (command == Command::None || (command == Command::PlayOrPause && ownSpace)) {
        event.Skip();
        return;
    }
    // Before the first drag the arrows, Home and End keep their usual meaning for the focused
    // control.
    if (!Run(command) && frame.mediaEditControl->nudgeRuler == nullptr) {
        event.Skip();
    }
}

void MainWindowInput::OnDropFiles(wxDropFilesEvent& event) {
    // Only the first of several files counts, and only if it is a file that exists: a folder
    // or anything else dropped changes nothing.
    if (event.GetNumberOfFiles() > 0 && wxFileName::FileExists(event.GetFiles()[0])) {
        PickMediaFile(frame, event.GetFiles()[0]);
    }
}
