// The import button's work for the main window: turns the chosen media file into the editor's
// working file behind the "Import" progress dialog and has the editor load it.
//
// In order: nothing for a path that names no file; the question "Warning!" when media is
// loaded (anything but Yes stops here and changes nothing); a playing source is stopped
// through the source-preview toggle, a ringtone stream stopped and freed; the converter runs
// through ImportJob behind a progress dialog whose Cancel (or Escape) ends the converter; only a
// checked result replaces temp/current.wav and is loaded into the editor, followed by
// ResetZoom. Any failure is explained in a message box with the converter's last lines, a cancel
// in one titled as cancelled, and the editor and temp/current.wav keep what they had. Closing the
// main window during the conversion cancels it without a message.
//
// The controller makes one per press and hands it what it works on: the main window (parent of
// the dialogs), the shared engine, the editor panel and the source-preview toggle, so that the
// tests can run it over a bare editor panel without the controller. None of them is owned.
// User-interface thread only; Run blocks it while the converter runs.
#pragma once

#include "import/ImportError.h"
#include "ui/ModalJob.h"

#include <wx/string.h>

#include <functional>

class AudioEngine;
class twMediaEditControl;
class wxWindow;

class ImportCommand {
public:
    // Shows the question and returns the button pressed (wxID_YES, wxID_NO, wxID_CANCEL).
    using AskFn = std::function<int(const wxString& caption, const wxString& text)>;
    // Shows a failure and returns once the user has read it.
    using InformFn = std::function<void(const wxString& caption, const wxString& text)>;

    // In English, as the catalogue has them: shown through wxGetTranslation.
    static const wxString confirmCaption;
    static const wxString confirmText;
    static const wxString failureCaption;
    // A cancel is the user's own choice, not a failure: its message says so, with no icon.
    static const wxString cancelCaption;
    static const wxString cancelText;
    // The progress dialog's message while it pulses for a source that does not say its length.
    static const wxString unknownLengthText;

    ImportCommand(wxWindow* mainWindow, AudioEngine* audioEngine, twMediaEditControl* editor,
                  std::function<void()> toggleSourcePreview);
    ImportCommand(const ImportCommand&) = delete;
    ImportCommand& operator=(const ImportCommand&) = delete;

    wxWindow* mainWindow;
    AudioEngine* audioEngine;
    twMediaEditControl* editor;
    // Stops a playing source as the source-preview button does (the controller's OnPlayMedia).
    std::function<void()> toggleSourcePreview;
    // A wxMessageDialog with no parent, Yes, No and Cancel; tests put their own answer here.
    AskFn ask;
    // A wxMessageBox over the main window, with an error icon for failures; tests record it
    // instead.
    InformFn inform;

    // Why the last Run did not load new media (None after a success, and after a Run that
    // stopped silently or was declined).
    ImportError error = ImportError::None;

    // The "Import" dialog while the converter runs. A close request meanwhile cancels the
    // conversion at the next poll without a message; its closeRequested then tells the caller
    // to close the main window once Run has returned.
    ModalJob modal;

    // True when the source was imported and loaded.
    bool Run(const wxString& sourcePath);

private:
    void ExplainFailure(const std::string& explanation);
};
