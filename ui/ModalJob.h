// One long job's dialog for the main window's commands (the import, Convert and Send and its
// delivery): it owns the dialog while the job runs, knows when the job is to stop (the
// dialog's own Cancel, Escape or close, or the main window asked to close meanwhile), and
// keeps the main window closable while the dialog is up (MainWindowKeepsClosing). The command
// that runs the job owns it for the length of its Run, and the controller asks the running
// one, through RequestClose, when the main window is to close.
//
// A job waits for events (RunMainLoopOnce), never sleeps: clicks, bus replies, the network and
// timers all wake it. User-interface thread only.
#pragma once

#include <memory>

class MainWindowKeepsClosing;
class wxDialog;
class wxProgressDialog;
class wxString;
class wxWindow;

class ModalJob {
public:
    explicit ModalJob(wxWindow* mainWindow);
    ~ModalJob();
    ModalJob(const ModalJob&) = delete;
    ModalJob& operator=(const ModalJob&) = delete;

    // Parent of the dialogs; may be null (then nothing is kept closable).
    wxWindow* const mainWindow;
    // Set by a RequestClose during the job and kept after it: the work was stopped without a
    // message, and the caller is to close the main window once its command has returned.
    bool closeRequested = false;

    // Makes, shows and owns a progress dialog until End (the style's wxPD_CAN_ABORT gives it
    // Cancel, which Escape presses).
    wxProgressDialog& ShowProgress(const wxString& title, const wxString& message, int style);
    // Shows and owns a dialog of the caller's until End; its Cancel calls Cancel.
    void Show(std::unique_ptr<wxDialog> dialog);
    // The shown dialog's own stop (its Cancel or Close button, or its close box).
    void Cancel() { cancelled = true; }
    // Whether the job is to stop now.
    bool StopRequested() const;
    // The main window asks to close. While a dialog is up, the job is told to stop and true
    // is returned (the window must stay until the command returns); otherwise false.
    bool RequestClose();
    // Hides and destroys the dialog and gives the main window its controls back. Every long
    // job's dialog ends here, so this is where the focus goes back to the main window.
    void End();

private:
    std::unique_ptr<wxDialog> dialog;
    wxProgressDialog* progress = nullptr;
    std::unique_ptr<MainWindowKeepsClosing> keepsClosing;
    bool cancelled = false;
};
