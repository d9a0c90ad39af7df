// The "Convert and Send" button's work: follows the delivery plan (delivery/DeliveryPlan.h)
// for what the window offers, asks its questions, makes the ringtone file as the preview plays
// it (RingtoneJob) behind the "Convert" dialog, then pushes it to the selected Bluetooth phone
// behind a "Sending" dialog or saves it where the user says, and ends by saying what to do on
// the phone. Both dialogs have Cancel (Escape presses it), and they are redrawn and moved
// while the work goes on. Every missing piece, refusal and failure is said in one plain
// message, and wherever the file can't reach the phone but is made, saving is offered.
//
// Nothing is written outside temp/ (the job's own folder, removed when the command ends) and
// the folder the user chose; the working file and the edits are only read.
//
// The controller makes one per press and hands it the main window (parent of every dialog) and
// the editor panel, neither owned, and what the window's controls say. The dialogs are
// functions that tests replace. User-interface thread only; Run blocks it behind modal dialogs.
#pragma once

#include "delivery/DeliveryError.h"
#include "phones/PhonePlatform.h"
#include "platform/MountedPhones.h"

#include <wx/string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class RingtoneJob;
struct RingtoneFormat;
struct RingtoneSound;
class twMediaEditControl;
class wxWindow;

class ConvertAndSendCommand {
public:
    // What the window offers at the press: the selected texts (empty for no selection).
    struct Selection {
        // The imported source the working file came from (its name names the ringtone).
        wxString sourcePath;
        wxString vendor;
        wxString model;
        PhonePlatform phone = PhonePlatform::Older;
        // The codes the catalogue lists for the model (DeliveryRequest::offeredCodes).
        std::vector<std::string> offeredCodes;
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
    // The phones the desktop has mounted: the save dialog starts in one's Ringtones folder.
    std::unique_ptr<MountedPhones> phones;
    // How long a cancelled push waits for obexd to answer before it is dropped.
    int cancelGraceMilliseconds = 3000;

    // After Run: what happened, why it failed, and where the file was saved.
    Outcome outcome = Outcome::NothingDone;
    DeliveryError error = DeliveryError::None;
    wxString savedPath;
    // Set by a RequestClose during the last Run: the work was cancelled without a message, and
    // the caller is to close the main window now that Run has returned.
    bool closeRequested = false;

    Outcome Run(const Selection& selection);

    // The main window was asked to close. While Run converts or sends, the work is cancelled
    // at once and true is returned (the window must stay until Run returns); otherwise false.
    bool RequestClose();

    // The save dialog's first folder: a connected phone's Ringtones folder, else
    // MusicOrHomeFolder().
    static wxString DefaultFolder(MountedPhones& phones);

private:
    bool running = false;
    // Makes the file behind the "Convert" dialog; false with the job's error on failure.
    bool Make(RingtoneJob& job, const RingtoneSound& sound, const RingtoneFormat& format,
              const wxString& sourcePath);
    // Pushes the file; true when it did not arrive and the user wants it saved instead.
    bool Send(const std::string& filePath, const wxString& fileName, const Selection& selection,
              PhonePlatform phone);
    void Save(const std::string& filePath, const wxString& fileName, PhonePlatform phone);
};
