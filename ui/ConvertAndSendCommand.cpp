#include "ui/ConvertAndSendCommand.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/RingtoneJob.h"
#include "delivery/SaveFile.h"
#include "delivery/UsbCopy.h"
#include "editor/twMediaEditControl.h"
#include "platform/FailureLog.h"
#include "text/Utf8Text.h"
#include "ui/UpdateProgressDialog.h"
#include "ui/UserFolders.h"
#include "ui/twOfferDialog.h"
#include "widgets/MessageDialog.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/progdlg.h>
#include <wx/stopwatch.h>

#include <algorithm>

namespace {

// The title of every message Convert and Send shows.
wxString Caption() {
    return wxString::FromUTF8(Tr(delivery_text::caption));
}

// The dialogs handle their events (drawing, moving, Cancel) only inside Update.
constexpr long updateMilliseconds = 40;

wxString Wide(const std::string& utf8) {
    return wxString(WideFromUtf8(utf8));
}

std::string Utf8(const wxString& text) {
    return Utf8FromWide(text.ToStdWstring());
}

// The "Convert" dialog and when it was last moved.
struct ConvertDialog {
    wxProgressDialog* dialog;
    wxStopWatch sinceMoved;
};

// Moves the dialog when the value changes, at most every updateMilliseconds: the rendering
// reports every second it makes, far faster than anyone reads, and each move redraws.
void MoveDialog(int32_t value, void* user) {
    auto* convert = static_cast<ConvertDialog*>(user);
    if (value < 0 || (value != convert->dialog->GetValue() &&
                      (value == 100 || convert->sinceMoved.Time() >= updateMilliseconds))) {
        UpdateProgressDialog(value, convert->dialog);
        convert->sinceMoved.Start();
    }
}

} // namespace

ConvertAndSendCommand::ConvertAndSendCommand(wxWindow* window, twMediaEditControl* panel)
    : mainWindow(window), editor(panel), phones(CreateMountedPhones()), modal(window) {
    ask = [this](const wxString& title, const wxString& text) {
        return ShowMessage(mainWindow, text, title, wxYES_NO | wxICON_QUESTION);
    };
    inform = [this](const wxString& title, const wxString& text) {
        ShowMessage(mainWindow, text, title, wxOK | wxICON_INFORMATION);
    };
    chooseFile = [this](const wxString& folder, const wxString& name, const wxString& wildcard) {
        wxFileDialog dialog(mainWindow, _("Save the ringtone"), folder, name, wildcard,
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

ConvertAndSendCommand::Outcome ConvertAndSendCommand::Run(const Selection& selection) {
    outcome = Outcome::NothingDone;
    error = DeliveryError::None;
    savedPath.clear();
    modal.closeRequested = false;
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
    request.searchFailure = selection.searchFailure;
    request.seconds = RingtoneSeconds(sound);
    request.silenceSeconds = wave->silenceLength;
    const DeliveryPlan plan = PlanDelivery(request);
    if (!plan.stop.empty()) {
        inform(Caption(), Wide(plan.stop));
        return outcome;
    }
    for (const std::string& question : plan.questions) {
        if (ask(Caption(), Wide(question)) != wxID_YES) {
            return outcome;
        }
    }

    RingtoneJob job;
    job.tempFolder = tempFolder;
    const bool made = Make(job, sound, *plan.format, selection.sourcePath);
    if (!made) {
        error = job.error;
        if (error == DeliveryError::Cancelled) {
            return outcome;
        }
        outcome = Outcome::Failed;
        inform(Caption(), Wide(job.Explanation()));
        return outcome;
    }
    const wxString fileName = Wide(job.fileName);
    const bool saveInstead =
        plan.route == DeliveryRoute::Deliver &&
        Deliver(*plan.method, job.filePath, fileName, job.title, selection, plan.phone);
    if (plan.route == DeliveryRoute::Save || saveInstead) {
        Save(job.filePath, fileName, plan.phone);
    }
    return outcome;
}

bool ConvertAndSendCommand::Make(RingtoneJob& job, const RingtoneSound& sound,
                                 const RingtoneFormat& format, const wxString& sourcePath) {
    wxProgressDialog& progress = modal.ShowProgress(
        _("Convert"), Wide(Tr(delivery_text::converting)),
        wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | wxPD_SMOOTH | wxPD_CAN_ABORT);
    wxStopWatch sinceUpdate;
    job.cancelRequested = [&] {
        if (sinceUpdate.Time() >= updateMilliseconds) {
            progress.Update(progress.GetValue());
            sinceUpdate.Start();
        }
        return modal.StopRequested();
    };
    ConvertDialog moving{&progress, {}};
    const bool made =
        job.Make(*editor->waveGraph, sound, format, Utf8(sourcePath), MoveDialog, &moving);
    modal.End();
    return made;
}

bool ConvertAndSendCommand::Deliver(const DeliveryMethod& method, const std::string& filePath,
                                    const wxString& fileName, const std::string& title,
                                    const Selection& selection, PhonePlatform phone, bool replace) {
    DeliveryTarget target;
    target.replace = replace;
    target.title = title;
    target.address = selection.deviceAddress;
    target.phone = phone;
    target.cancelGraceMilliseconds = cancelGraceMilliseconds;
    DeliveryProgressFn show;
    if (method.OffersCode()) {
        auto dialog = std::make_unique<twOfferDialog>(mainWindow, modal,
                                                      Wide(delivery_text::WifiLastStep(phone)));
        twOfferDialog* offer = dialog.get();
        modal.Show(std::move(dialog));
        show = [offer](const DeliveryReport& report) { offer->Show(report); };
    } else {
        const wxString device =
            selection.deviceName.empty() ? Wide(selection.deviceAddress) : selection.deviceName;
        wxProgressDialog& progress = modal.ShowProgress(
            _("Sending"),
            wxString::Format(_("Sending \"%s\" to %s.\nAccept the file on the phone."), fileName,
                             device),
            wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
        show = [&progress](const DeliveryReport& report) {
            const int percent =
                report.size > 0
                    ? static_cast<int>(std::min<uint64_t>(99, report.done * 100 / report.size))
                    : 0;
            wxString text = Wide(report.text);
            if (report.size > 0) {
                text +=
                    wxS("\n") + wxString::Format(wxPLURAL("%llu of %llu byte sent.",
                                                          "%llu of %llu bytes sent.", report.size),
                                                 static_cast<unsigned long long>(report.done),
                                                 static_cast<unsigned long long>(report.size));
            }
            progress.Update(percent, text);
        };
    }
    const std::string absolute = Utf8(wxFileName(Wide(filePath)).GetAbsolutePath());
    const DeliveryOutcome delivered =
        method.Deliver(absolute, target, show, [this] { return modal.StopRequested(); });
    modal.End();
    error = delivered.error;
    if (error == DeliveryError::None) {
        outcome = Outcome::Sent;
        // A method that shows a code said it all in its dialog, which the user has closed.
        if (!method.OffersCode()) {
            inform(Caption(), Wide(method.DoneText(Utf8(fileName), delivered, phone)));
        }
        return false;
    }
    if (error == DeliveryError::Cancelled) {
        outcome = Outcome::NothingDone;
        // A window that is closing says nothing more.
        if (!modal.closeRequested) {
            inform(Caption(), Wide(Tr(delivery_text::pushCancelled)));
        }
        return false;
    }
    if (error == DeliveryError::AlreadyThere && !replace) {
        if (ask(Caption(), Wide(DescribeFailure(delivered)) + wxS("\n\n") + _("Replace it?")) ==
            wxID_YES) {
            return Deliver(method, filePath, fileName, title, selection, phone, true);
        }
        outcome = Outcome::NothingDone;
        return false;
    }
    outcome = Outcome::Failed;
    return ask(Caption(), Wide(DescribeFailure(delivered)) + wxS("\n\n") +
                              Wide(Tr(delivery_text::saveInstead))) == wxID_YES;
}

void ConvertAndSendCommand::Save(const std::string& filePath, const wxString& fileName,
                                 PhonePlatform phone) {
    wxString extension;
    wxFileName::SplitPath(fileName, nullptr, nullptr, &extension);
    const wxString wildcard = wxString::Format(_("%s files"), extension.Upper()) + wxS(" (*.") +
                              extension + wxS(")|*.") + extension;
    wxString folder = DefaultFolder(*phones);
    for (;;) {
        const wxString chosen = chooseFile(folder, fileName, wildcard);
        if (chosen.empty()) {
            return;
        }
        const std::string target = Utf8(chosen);
        // A phone's MTP storage may refuse the rename that makes a save whole.
        const std::string place = PlaceOnPhone(*phones, target);
        const bool onPhone = !place.empty();
        int reason = 0;
        const bool saved = onPhone ? CopyWhole(*phones, filePath, target, &reason)
                                   : SaveFileAtomically(filePath, target, &reason);
        if (saved) {
            outcome = Outcome::Saved;
            error = DeliveryError::None;
            savedPath = chosen;
            const bool inRingtones =
                onPhone && wxFileName(chosen).GetDirs().Last() == wxS("Ringtones");
            inform(Caption(),
                   Wide(delivery_text::SavedText(onPhone ? place : target, phone, inRingtones)));
            return;
        }
        outcome = Outcome::Failed;
        error = DeliveryError::SaveFailed;
        // SaveFileAtomically records its own failure; a copy onto a phone is recorded here.
        if (onPhone) {
            LogFailure("save " + target, delivery_text::SaveFailure(reason));
        }
        // The file is still in the job's folder: another folder needs no second conversion.
        if (ask(Caption(), Wide(delivery_text::SaveFailure(reason)) + wxS("\n\n") +
                               Wide(Tr(delivery_text::otherFolder))) != wxID_YES) {
            return;
        }
        folder = wxFileName(chosen).GetPath();
    }
}
