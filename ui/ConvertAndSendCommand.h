// The "Convert and Send" button's work: follows the delivery plan (delivery/DeliveryPlan.h)
// for what the window offers, asks its questions, makes the ringtone file as the preview plays
// it (RingtoneJob) behind the "Convert" dialog, then hands it to the send method chosen in step
// 3 (its Deliver, behind a "Sending" dialog, or for a method that offers a code to the phone
// behind that code's dialog) or saves it where the user says, and ends by saying what to do on
// the phone. Every dialog has Cancel (Escape presses it), and they are redrawn and moved while
// the work goes on. Every missing piece, refusal and failure is said in one plain
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
#include "ui/ModalJob.h"

#include <wx/string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DeliveryMethod;
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
        // The selected device's address in the method's terms ("AA:BB:CC:DD:EE:FF" for
        // Bluetooth); empty when none is selected.
        std::string deviceAddress;
        // Why the last search for devices could not run (DeliveryRequest::searchFailure).
        DeliveryError searchFailure = DeliveryError::None;
    };

    enum class Outcome { NothingDone, Sent, Saved, Failed };

    // A question with Yes and No; returns wxID_YES or wxID_NO.
    using AskFn = std::function<int(const wxString& caption, const wxString& text)>;
    // A message with OK.
    using InformFn = std::function<void(const wxString& caption, const wxString& text)>;
    // The save dialog (the toolkit asks before it replaces a file); empty when cancelled.
    using ChooseFileFn = std::function<wxString(const wxString& folder, const wxString& name,
                                                const wxString& wildcard)>;

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
    // The dialog of the conversion, then of the delivery. A close request meanwhile cancels
    // the work at once without a message; its closeRequested then tells the caller to close
    // the main window once Run has returned.
    ModalJob modal;

    Outcome Run(const Selection& selection);

    // The save dialog's first folder: a connected phone's Ringtones folder, else
    // MusicOrHomeFolder().
    static wxString DefaultFolder(MountedPhones& phones);

private:
    // Makes the file behind the "Convert" dialog; false with the job's error on failure.
    bool Make(RingtoneJob& job, const RingtoneSound& sound, const RingtoneFormat& format,
              const wxString& sourcePath);
    // Hands the file to the method; true when it did not arrive and the user wants it saved
    // instead. A file of the same name at the target is replaced only when the user says so.
    bool Deliver(const DeliveryMethod& method, const std::string& filePath,
                 const wxString& fileName, const std::string& title, const Selection& selection,
                 PhonePlatform phone, bool replace = false);
    void Save(const std::string& filePath, const wxString& fileName, PhonePlatform phone);
};
