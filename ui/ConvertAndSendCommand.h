// The "Convert and Send" button's work: checks that everything is chosen, makes the ringtone
// file as the preview plays it (RingtoneJob) behind a progress dialog, then pushes it to the
// selected Bluetooth phone behind a "Sending" dialog with Cancel, or saves it where the user
// says. Every missing piece, refusal and failure is said in one plain message, and wherever
// sending can't work (an iPhone, infrared, a failed push) saving is offered instead.
//
// Nothing is written outside temp/ (the job's own folder, removed when the command ends) and
// the folder the user chose; the working file and the edits are only read.
//
// The controller makes one per press and hands it the main window (parent of every dialog) and
// the editor panel, neither owned, and what the window's controls say. The dialogs are
// functions that tests replace. User-interface thread only; Run blocks it behind modal dialogs.
#pragma once

#include "delivery/DeliveryError.h"

#include <wx/string.h>

#include <functional>
#include <string>

class twMediaEditControl;
class wxWindow;

class ConvertAndSendCommand {
public:
    // What the window offers at the press: the selected texts (empty for no selection).
    struct Selection {
        wxString sourcePath;
        wxString vendor;
        wxString model;
        wxString format;
        wxString sendMethod;
        wxString deviceName;
        // "AA:BB:CC:DD:EE:FF" of the selected Bluetooth device; empty when none is selected.
        std::string deviceAddress;
    };

    enum class Outcome { NothingDone, Sent, Saved, Failed };

    // A question with Yes and No; returns wxID_YES or wxID_NO.
    using AskFn = std::function<int(const wxString& caption, const wxString& text)>;
    // A message with OK.
    using InformFn = std::function<void(const wxString& caption, const wxString& text)>;
    // The save dialog (the toolkit asks before it replaces a file); empty when cancelled.
    using ChooseFileFn = std::function<wxString(const wxString& folder, const wxString& name,
                                                const wxString& wildcard)>;

    static const wxString caption;
    static const wxString noMediaText;
    static const wxString noPhoneText;
    static const wxString silentText;
    static const wxString noLengthText;
    static const wxString infraredText;
    static const wxString appleBluetoothText;

    ConvertAndSendCommand(wxWindow* mainWindow, twMediaEditControl* editor);
    ConvertAndSendCommand(const ConvertAndSendCommand&) = delete;
    ConvertAndSendCommand& operator=(const ConvertAndSendCommand&) = delete;

    wxWindow* mainWindow;
    twMediaEditControl* editor;
    AskFn ask;
    InformFn inform;
    ChooseFileFn chooseFile;
    // Where the job makes its folder.
    std::string tempFolder = "temp";

    // After Run: what happened, why it failed, and where the file was saved.
    Outcome outcome = Outcome::NothingDone;
    DeliveryError error = DeliveryError::None;
    wxString savedPath;

    Outcome Run(const Selection& selection);

    // The save dialog's first folder: the user's music folder when it exists, else home.
    static wxString DefaultFolder();

private:
    // Pushes the file; true when it did not arrive and the user wants it saved instead.
    bool Send(const std::string& filePath, const wxString& fileName, const Selection& selection);
    void Save(const std::string& filePath, const wxString& fileName, bool iphone);
};
