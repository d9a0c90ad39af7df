#include "ui/ConvertAndSendCommand.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/ObexPush.h"
#include "delivery/RingtoneJob.h"
#include "delivery/SaveFile.h"
#include "delivery/UsbCopy.h"
#include "editor/twMediaEditControl.h"
#include "import/UpdateProgressDialog.h"
#include "platform/Utf8Text.h"
#include "ui/MainWindowKeepsClosing.h"
#include "ui/UserFolders.h"
#include "widgets/MessageDialog.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/progdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <algorithm>

const wxString ConvertAndSendCommand::caption = wxString::FromUTF8(delivery_text::caption);

namespace {

// The dialogs handle their events (drawing, moving, Cancel) only inside Update.
constexpr long updateMilliseconds = 40;

wxString Wide(const std::string& utf8) {
    return wxString(WideFromUtf8(utf8));
}

std::string Utf8(const wxString& text) {
    return Utf8FromWide(text.ToStdWstring());
}

// Moves the dialog only when the value changes: the rendering reports every second it makes.
void MoveDialog(int32_t value, void* dialog) {
    if (value < 0 || value != static_cast<wxProgressDialog*>(dialog)->GetValue()) {
        UpdateProgressDialog(value, dialog);
    }
}

} // namespace

ConvertAndSendCommand::ConvertAndSendCommand(wxWindow* window, twMediaEditControl* panel)
    : mainWindow(window), editor(panel), phones(CreateMountedPhones()) {
    ask = [this](const wxString& title, const wxString& text) {
        return ShowMessage(mainWindow, text, title, wxYES_NO | wxICON_QUESTION);
    };
    inform = [this](const wxString& title, const wxString& text) {
        ShowMessage(mainWindow, text, title, wxOK | wxICON_INFORMATION);
    };
    chooseFile = [this](const wxString& folder, const wxString& name, const wxString& wildcard) {
        wxFileDialog dialog(mainWindow, wxS("Save the ringtone"), folder, name, wildcard,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    };
}

wxString ConvertAndSendCommand::DefaultFolder(MountedPhones& mounted) {
    const std::string ringtones = PhoneRingtonesFolder(mounted);
    if (!ringtones.empty()) {
        return Wide(ringtones);
    }
    return MusicOrHomeFolder();
}

bool ConvertAndSendCommand::RequestClose() {
    if (!running) {
        return false;
    }
    closeRequested = true;
    return true;
}

ConvertAndSendCommand::Outcome ConvertAndSendCommand::Run(const Selection& selection) {
    outcome = Outcome::NothingDone;
    error = DeliveryError::None;
    savedPath.clear();
    closeRequested = false;
    twWaveGraph* wave = editor->waveGraph;
    RingtoneSound sound;
    sound.cutStart = editor->cutRuler->startValue;
    sound.cutEnd = editor->cutRuler->endValue;
    sound.effects = editor->Effects();

    DeliveryRequest request;
    request.mediaLoaded = wave->loaded && wxFileName::FileExists(Wide(wave->MediaPath()));
    request.vendor = Utf8(selection.vendor);
    request.model = Utf8(selection.model);
    request.phone = selection.phone;
    request.offeredCodes = selection.offeredCodes;
    request.formatLabel = Utf8(selection.format);
    request.method = Utf8(selection.sendMethod);
    request.deviceAddress = selection.deviceAddress;
    request.seconds = RingtoneSeconds(sound);
    request.silenceSeconds = wave->silenceLength;
    const DeliveryPlan plan = PlanDelivery(request);
    if (!plan.stop.empty()) {
        inform(caption, Wide(plan.stop));
        return outcome;
    }
    for (const std::string& question : plan.questions) {
        if (ask(caption, Wide(question)) != wxID_YES) {
            return outcome;
        }
    }

    RingtoneJob job;
    job.tempFolder = tempFolder;
    running = true;
    const bool made = Make(job, sound, *plan.format, selection.sourcePath);
    if (!made) {
        running = false;
        error = job.error;
        if (error == DeliveryError::Cancelled) {
            return outcome;
        }
        outcome = Outcome::Failed;
        inform(caption, Wide(job.Explanation()));
        return outcome;
    }
    const wxString fileName = Wide(job.fileName);
    const bool saveInstead =
        plan.route == DeliveryRoute::Push && Send(job.filePath, fileName, selection, plan.phone);
    running = false;
    if (plan.route == DeliveryRoute::Save || saveInstead) {
        Save(job.filePath, fileName, plan.phone);
    }
    return outcome;
}

bool ConvertAndSendCommand::Make(RingtoneJob& job, const RingtoneSound& sound,
                                 const RingtoneFormat& format, const wxString& sourcePath) {
    const auto progress = std::make_unique<wxProgressDialog>(
        wxS("Convert"), Wide(delivery_text::converting), 100, mainWindow,
        wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | wxPD_SMOOTH | wxPD_CAN_ABORT);
    progress->Show();
    const MainWindowKeepsClosing closing(mainWindow, progress.get());
    wxStopWatch sinceUpdate;
    job.cancelRequested = [&] {
        if (sinceUpdate.Time() >= updateMilliseconds) {
            progress->Update(progress->GetValue());
            sinceUpdate.Start();
        }
        return progress->WasCancelled() || closeRequested;
    };
    return job.Make(*editor->waveGraph, sound, format, Utf8(sourcePath), MoveDialog,
                    progress.get());
}

bool ConvertAndSendCommand::Send(const std::string& filePath, const wxString& fileName,
                                 const Selection& selection, PhonePlatform phone) {
    const std::string absolute = Utf8(wxFileName(Wide(filePath)).GetAbsolutePath());
    ObexPush push;
    push.Start(selection.deviceAddress, absolute);
    bool cancelled = false;
    {
        const wxString device =
            selection.deviceName.empty() ? wxString(selection.deviceAddress) : selection.deviceName;
        wxProgressDialog dialog(
            wxS("Sending"),
            wxS("Sending \"") + fileName + wxS("\" to ") + device +
                wxS(".\nAccept the file on the phone."),
            100, mainWindow, wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
        const MainWindowKeepsClosing closing(mainWindow, &dialog);
        wxStopWatch sinceCancel;
        // The dialog's Update runs the toolkit's main loop, which carries the bus's replies and
        // signals. A cancel that obexd leaves unanswered ends the wait after the grace time.
        while (!push.Finished() && !(cancelled && sinceCancel.Time() >= cancelGraceMilliseconds)) {
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
            if ((!dialog.Update(percent, text) || closeRequested) && !cancelled) {
                cancelled = true;
                push.Cancel();
                sinceCancel.Start();
            }
            wxMilliSleep(20);
        }
    }
    // Whatever obexd says after a cancel, the user has stopped the push: never "was sent".
    error = cancelled ? DeliveryError::Cancelled : push.Current().error;
    if (error == DeliveryError::None) {
        outcome = Outcome::Sent;
        inform(caption, Wide(delivery_text::SentText(Utf8(fileName), phone)));
        return false;
    }
    if (error == DeliveryError::Cancelled) {
        outcome = Outcome::NothingDone;
        return false;
    }
    outcome = Outcome::Failed;
    return ask(caption, Wide(DescribeDeliveryError(error)) + wxS("\n\n") +
                            Wide(delivery_text::saveInstead)) == wxID_YES;
}

void ConvertAndSendCommand::Save(const std::string& filePath, const wxString& fileName,
                                 PhonePlatform phone) {
    wxString extension;
    wxFileName::SplitPath(fileName, nullptr, nullptr, &extension);
    const wxString wildcard =
        extension.Upper() + wxS(" files (*.") + extension + wxS(")|*.") + extension;
    wxString folder = DefaultFolder(*phones);
    for (;;) {
        const wxString chosen = chooseFile(folder, fileName, wildcard);
        if (chosen.empty()) {
            return;
        }
        const std::string target = Utf8(chosen);
        // A phone's MTP storage may refuse the rename that makes a save whole.
        const bool onPhone = OnMountedPhone(*phones, target);
        int reason = 0;
        const bool saved = onPhone ? CopyWhole(*phones, filePath, target)
                                   : SaveFileAtomically(filePath, target, &reason);
        if (saved) {
            outcome = Outcome::Saved;
            error = DeliveryError::None;
            savedPath = chosen;
            const bool inRingtones =
                onPhone && wxFileName(chosen).GetDirs().Last() == wxS("Ringtones");
            inform(caption, Wide(delivery_text::SavedText(target, phone, inRingtones)));
            return;
        }
        outcome = Outcome::Failed;
        error = DeliveryError::SaveFailed;
        // The file is still in the job's folder: another folder needs no second conversion.
        if (ask(caption, Wide(delivery_text::SaveFailure(reason)) + wxS("\n\n") +
                             Wide(delivery_text::otherFolder)) != wxID_YES) {
            return;
        }
        folder = wxFileName(chosen).GetPath();
    }
}
