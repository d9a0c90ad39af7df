#include "ui/ConvertAndSendCommand.h"

#include "delivery/ObexPush.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneJob.h"
#include "delivery/SaveFile.h"
#include "editor/twMediaEditControl.h"
#include "import/UpdateProgressDialog.h"
#include "platform/Utf8Text.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <algorithm>
#include <memory>

const wxString ConvertAndSendCommand::caption = wxS("Convert and Send");
const wxString ConvertAndSendCommand::noMediaText = wxS("Import a media file first.");
const wxString ConvertAndSendCommand::noPhoneText =
    wxS("Choose your phone's vendor and model in step 1.");
const wxString ConvertAndSendCommand::silentText =
    wxS("The ringtone is silence from end to end. Move the silence marker back from the end of "
        "the ringtone.");
const wxString ConvertAndSendCommand::infraredText =
    wxS("This system has no infrared support, so the ringtone can't be sent to the phone that "
        "way.\n\nSave the ringtone file instead?");
const wxString ConvertAndSendCommand::appleBluetoothText =
    wxS("iPhones accept no ringtones sent over Bluetooth.\n\nSave the .m4r file instead? You "
        "can then add it to the iPhone with the software you sync it with.");

namespace {

wxString Wide(const std::string& utf8) {
    return wxString(WideFromUtf8(utf8));
}

std::string Utf8(const wxString& text) {
    return Utf8FromWide(text.ToStdWstring());
}

} // namespace

ConvertAndSendCommand::ConvertAndSendCommand(wxWindow* window, twMediaEditControl* panel)
    : mainWindow(window), editor(panel) {
    ask = [this](const wxString& title, const wxString& text) {
        wxMessageDialog question(mainWindow, text, title, wxYES_NO | wxICON_QUESTION);
        return question.ShowModal();
    };
    inform = [this](const wxString& title, const wxString& text) {
        wxMessageBox(text, title, wxOK | wxICON_INFORMATION, mainWindow);
    };
    chooseFile = [this](const wxString& folder, const wxString& name, const wxString& wildcard) {
        wxFileDialog dialog(mainWindow, wxS("Save the ringtone"), folder, name, wildcard,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    };
}

wxString ConvertAndSendCommand::DefaultFolder() {
    const wxString music = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Music);
    if (!music.empty() && wxFileName::DirExists(music) && music != wxGetHomeDir()) {
        return music;
    }
    return wxGetHomeDir();
}

ConvertAndSendCommand::Outcome ConvertAndSendCommand::Run(const Selection& selection) {
    outcome = Outcome::NothingDone;
    error = DeliveryError::None;
    savedPath.clear();
    twWaveGraph* wave = editor->waveGraph;
    if (!wave->loaded || !wxFileName::FileExists(Wide(wave->MediaPath()))) {
        inform(caption, noMediaText);
        return outcome;
    }
    const RingtoneFormat* format = FormatForPhone(Utf8(selection.vendor), Utf8(selection.format));
    if (selection.vendor.empty() || selection.model.empty() || format == nullptr) {
        inform(caption, noPhoneText);
        return outcome;
    }
    RingtoneSound sound;
    sound.cutStart = editor->cutRuler->startValue;
    sound.cutEnd = editor->cutRuler->endValue;
    sound.effects = editor->Effects();
    const int32_t seconds = RingtoneSeconds(sound);
    if (wave->silenceLength >= seconds) {
        inform(caption, silentText);
        return outcome;
    }
    const bool iphone = selection.vendor == wxString(appleVendor);
    if (format->maxSeconds > 0 && seconds > format->maxSeconds &&
        ask(caption, wxString::Format(wxS("iPhones take ringtones as AAC in an .m4r file of at "
                                          "most %d seconds, and this ringtone lasts %d "
                                          "seconds.\n\nContinue with its first %d seconds?"),
                                      format->maxSeconds, seconds, format->maxSeconds)) !=
            wxID_YES) {
        return outcome;
    }
    // Where the file goes is settled before the wait for the converter.
    // Neither an iPhone nor infrared can take the file, whatever the device list holds.
    const bool bluetooth = selection.sendMethod == wxS("Bluetooth");
    if ((bluetooth && iphone && ask(caption, appleBluetoothText) != wxID_YES) ||
        (selection.sendMethod == wxS("Infrared") && ask(caption, infraredText) != wxID_YES)) {
        return outcome;
    }
    const bool send = bluetooth && !iphone && !selection.deviceAddress.empty();

    RingtoneJob job;
    job.tempFolder = tempFolder;
    bool made = false;
    {
        // No abort button: the converter can't be stopped halfway.
        wxProgressDialog progress(
            wxS("Convert"), wxS("Converting the ringtone. Please wait..."), 100, mainWindow,
            wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | wxPD_SMOOTH);
        progress.Show();
        made = job.Make(*wave, sound, *format, Utf8(selection.sourcePath), UpdateProgressDialog,
                        &progress);
    }
    if (!made) {
        outcome = Outcome::Failed;
        error = job.error;
        inform(caption, Wide(job.Explanation()));
        return outcome;
    }
    const wxString fileName = Wide(job.fileName);
    if (send && !Send(job.filePath, fileName, selection)) {
        return outcome;
    }
    Save(job.filePath, fileName, iphone);
    return outcome;
}

bool ConvertAndSendCommand::Send(const std::string& filePath, const wxString& fileName,
                                 const Selection& selection) {
    const std::string absolute = Utf8(wxFileName(Wide(filePath)).GetAbsolutePath());
    ObexPush push;
    push.Start(selection.deviceAddress, absolute);
    {
        const wxString device =
            selection.deviceName.empty() ? wxString(selection.deviceAddress) : selection.deviceName;
        wxProgressDialog dialog(
            wxS("Sending"),
            wxS("Sending \"") + fileName + wxS("\" to ") + device +
                wxS(".\nAccept the file on the phone."),
            100, mainWindow, wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
        bool cancelled = false;
        // The dialog's Update runs the toolkit's main loop, which carries the bus's replies and
        // signals.
        while (!push.Finished()) {
            const ObexPush::Progress& now = push.Current();
            const int percent =
                now.size > 0
                    ? static_cast<int>(std::min<uint64_t>(99, now.transferred * 100 / now.size))
                    : 0;
            const wxString text =
                now.stage == ObexPush::Stage::Sending
                    ? wxString::Format(wxS("%llu of %llu bytes sent."),
                                       static_cast<unsigned long long>(now.transferred),
                                       static_cast<unsigned long long>(now.size))
                    : wxString(wxS("Connecting to the phone..."));
            if (!dialog.Update(percent, text) && !cancelled) {
                cancelled = true;
                push.Cancel();
            }
            wxMilliSleep(20);
        }
    }
    error = push.Current().error;
    if (error == DeliveryError::None) {
        outcome = Outcome::Sent;
        inform(caption, wxS("\"") + fileName + wxS("\" was sent to the phone.\n\nOn the phone, ") +
                            wxS("accept the file if it asks, open it from the received files "
                                "and choose it as the ringtone (or pick it in the phone's sound "
                                "settings)."));
        return false;
    }
    if (error == DeliveryError::Cancelled) {
        outcome = Outcome::NothingDone;
        return false;
    }
    outcome = Outcome::Failed;
    return ask(caption, Wide(DescribeDeliveryError(error)) +
                            wxS("\n\nSave the ringtone file instead?")) == wxID_YES;
}

void ConvertAndSendCommand::Save(const std::string& filePath, const wxString& fileName,
                                 bool iphone) {
    wxString extension;
    wxFileName::SplitPath(fileName, nullptr, nullptr, &extension);
    const wxString chosen =
        chooseFile(DefaultFolder(), fileName,
                   extension.Upper() + wxS(" files (*.") + extension + wxS(")|*.") + extension);
    if (chosen.empty()) {
        return;
    }
    if (!SaveFileAtomically(filePath, Utf8(chosen))) {
        outcome = Outcome::Failed;
        error = DeliveryError::SaveFailed;
        inform(caption, Wide(DescribeDeliveryError(error)));
        return;
    }
    outcome = Outcome::Saved;
    error = DeliveryError::None;
    savedPath = chosen;
    inform(caption, wxS("The ringtone was saved as\n") + chosen + wxS("\n\n") +
                        (iphone ? wxS("Add it to the iPhone with the software you sync it with; "
                                      "it then appears under Settings, Sounds, Ringtone.")
                                : wxS("Copy it onto the phone (by cable, memory card or "
                                      "Bluetooth) and choose it as the ringtone in the phone's "
                                      "sound settings.")));
}
