#include "ui/twUserInterface.h"

#include "audio/AudioEngine.h"
#include "delivery/BluetoothFinder.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/DeviceAddressText.h"
#include "delivery/InfraredFinder.h"
#include "delivery/OfferedFormats.h"
#include "editor/twMediaEditControl.h"
#include "phones/PhoneCatalogue.h"
#include "phones/PhonePlatform.h"
#include "phones/TextConversion.h"
#include "platform/SourceCheck.h"
#include "text/Utf8Text.h"
#include "ui/ConvertAndSendCommand.h"
#include "ui/FocusReturn.h"
#include "ui/ImportCommand.h"
#include "ui/MainWindowInput.h"
#include "ui/UserFolders.h"
#include "ui/twHelpController.h"
#include "widgets/ButtonPicture.h"
#include "widgets/MessageDialog.h"
#include "widgets/twRuler.h"

#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/filepicker.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>

#include <algorithm>

namespace {

const char* const helpBook = "twk.htb";

// The help book is a zip archive; the toolkit reads into it through this handler.
void EnsureArchiveHandler() {
    static bool added = false;
    if (!added) {
        wxFileSystem::AddHandler(new wxArchiveFSHandler);
        added = true;
    }
}

std::string ToCatalogueText(const wxString& text) {
    return NarrowText(text.ToStdWstring());
}

wxString FromCatalogueText(const char* text) {
    return wxString(WidenText(text));
}

// Why a file that was checked can't be heard, naming the file; empty when it can.
wxString WhyNotHeard(const wxString& path, const SourceCheck& check) {
    const wxString name = wxFileName(path).GetFullName();
    switch (check.result) {
    case SourceCheck::Result::NoSound:
        return wxString::Format(_("\"%s\" has no sound.\n\nThere is nothing in it to hear or to "
                                  "make a ringtone of."),
                                name);
    case SourceCheck::Result::Unreadable:
        return wxString::Format(_("\"%s\" could not be read as sound.\n\nIt is no sound or video "
                                  "file Tonewick knows, or it is damaged."),
                                name);
    case SourceCheck::Result::Sound:
    case SourceCheck::Result::NoDecoder:
        break;
    }
    return wxString();
}

} // namespace

twUserInterface::twUserInterface() : twMainFrame("Tonewick", wxSize(520, 580)) {
    audioEngine = AudioEngine::Get();
    vendorChoice->Clear();
    phoneCatalogue = std::make_unique<PhoneCatalogue>();
    phoneCatalogue->vendorCursor = 0;
    while (const char* vendor = phoneCatalogue->NextVendor()) {
        vendorChoice->Append(FromCatalogueText(vendor));
    }
    formatRadioBox->Disable();
    // The picker's button opens our browse dialog in place of its own, which would open in the
    // working folder until a file is picked. Going to choose a file means sound is near: the
    // sound system starts while the dialog is open, so that the first file does not wait for it.
    mediaFilePicker->GetPickerCtrl()->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (audioEngine != nullptr) {
            audioEngine->PrepareOutput();
        }
        BrowseMediaFile();
    });
    windowInput = std::make_unique<MainWindowInput>(*this);
    confirm = [this](const wxString& question) {
        return ShowMessage(this, question, wxS("Tonewick"), wxYES_NO | wxICON_QUESTION) == wxID_YES;
    };
    tell = [this](const wxString& text) {
        ShowMessage(this, text, wxS("Tonewick"), wxOK | wxICON_INFORMATION);
    };
    Bind(wxEVT_CLOSE_WINDOW, &twUserInterface::OnCloseWindow, this);
}

twUserInterface::~twUserInterface() {
    windowInput.reset();
    helpController.reset();
    if (audioEngine != nullptr) {
        audioEngine->Stop();
        audioEngine->FreeStream();
    }
    phoneCatalogue.reset();
    if (audioEngine != nullptr) {
        AudioEngine::Release();
        audioEngine = nullptr;
    }
}

void twUserInterface::OnMediaFileChanged(wxFileDirPickerEvent&) {
    const wxString path = mediaFilePicker->GetPath();
    if (audioEngine == nullptr || path.empty() || !wxFileName::FileExists(path)) {
        return;
    }
    wxFileName picked(path);
    picked.MakeAbsolute();
    pickedFile = picked.GetFullPath();
    // Checked before anything stops: a file that can't be heard is said so and changes nothing.
    const std::string file = Utf8FromWide(path.ToStdWstring());
    const SourceCheck check = CheckSource(file);
    if (const wxString why = WhyNotHeard(path, check); !why.empty()) {
        // While a path is typed, every part of it that names a file arrives here: only one
        // named as a sound or video file is worth interrupting the typing for.
        const bool typing = wxWindow::FindFocus() == mediaFilePicker->GetTextCtrl();
        if (!typing || SourceKindOfPath(file) != nullptr) {
            const long icon =
                check.result == SourceCheck::Result::NoSound ? wxICON_INFORMATION : wxICON_ERROR;
            ShowMessage(this, why, wxS("Tonewick"), wxOK | icon);
        }
        return;
    }
    audioEngine->fileType = SourceFileType(file, check, audioEngine->fileType);
    // Whatever the engine holds, the source or the ringtone, ends here.
    audioEngine->Stop();
    audioEngine->FreeStream();
    audioEngine->SetFile(path.ToStdWstring());
    audioEngine->OpenStream(true);
    audioEngine->SetVolume(mediaEditControl->volumeRuler->startValue);
    audioEngine->Play();
    if (audioEngine->playing) {
        SetButtonPicture(playMediaButton, "images/StopMedia.bmp");
    }
}

void twUserInterface::OnPlayMedia(wxCommandEvent&) {
    if (audioEngine == nullptr) {
        return;
    }
    if (!audioEngine->fromFile || !audioEngine->streamOpen) {
        wxFileDirPickerEvent reload;
        OnMediaFileChanged(reload);
        return;
    }
    // The source has no pause: play always starts from the beginning of the file.
    if (audioEngine->playing) {
        audioEngine->Stop();
        if (!audioEngine->playing) {
            SetButtonPicture(playMediaButton, "images/PlayMedia.bmp");
        }
    } else {
        audioEngine->Play();
        if (audioEngine->playing) {
            SetButtonPicture(playMediaButton, "images/StopMedia.bmp");
        }
    }
}

void twUserInterface::BrowseMediaFile() {
    // A file picked is imported next.
    const FocusReturn back(*this, importMediaButton);
    const wxString folder = BrowseFolder(pickedFile);
    const wxFileName picked(pickedFile);
    const wxString name = picked.GetPath() == folder ? picked.GetFullName() : wxString();
    wxFileDialog dialog(this, _("Select a file"), folder, name, MediaWildcard(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK) {
        MainWindowInput::PickMediaFile(*this, dialog.GetPath());
    }
}

void twUserInterface::OnImportMedia(wxCommandEvent& event) {
    // An imported song is cut next.
    const FocusReturn back(*this, mediaEditControl->cutRuler);
    // The source preview is stopped the way its button stops it, so the button shows Play.
    ImportCommand command(this, audioEngine, mediaEditControl, [this] {
        wxCommandEvent none;
        OnPlayMedia(none);
    });
    runningJob = &command.modal;
    const wxString source = mediaFilePicker->GetPath();
    if (command.Run(source)) {
        importedSource = source;
    }
    runningJob = nullptr;
    event.Skip();
    if (command.modal.closeRequested) {
        Close(true);
    }
}

void twUserInterface::OnCloseWindow(wxCloseEvent& event) {
    if (runningJob != nullptr && runningJob->RequestClose()) {
        // The command's handler is still on the stack: the window may go only once it returns,
        // and the handler closes it then (even a forced close is not passed on before).
        if (event.CanVeto()) {
            event.Veto();
        }
        return;
    }
    event.Skip();
}

void twUserInterface::OnHelp(wxCommandEvent&) {
    // A missing book is not worth a message: the button simply does nothing.
    if (!wxFileName::FileExists(helpBook)) {
        return;
    }
    if (!helpController) {
        EnsureArchiveHandler();
        auto controller = std::make_unique<twHelpController>(this);
        if (!controller->AddBook(wxFileName(helpBook), false)) {
            return;
        }
        helpController = std::move(controller);
    }
    helpController->DisplayContents();
}

void twUserInterface::OnVendorSelected(wxCommandEvent& event) {
    const wxString vendor = vendorChoice->GetStringSelection();
    modelChoice->Clear();
    if (phoneCatalogue->SelectVendor(ToCatalogueText(vendor).c_str())) {
        while (const char* model = phoneCatalogue->NextModel()) {
            modelChoice->Append(FromCatalogueText(model));
        }
    }
    selectionTips.Renew(modelChoice);
    event.Skip();
}

void twUserInterface::OnModelSelected(wxCommandEvent& event) {
    // GTK greys every item of a box that is disabled as a whole, so the box comes alive with the
    // first model choice and the items carry the model's formats from then on.
    formatRadioBox->Enable();
    const std::vector<const RingtoneFormat*> offered = OfferedForModel();
    const unsigned int count = formatRadioBox->GetCount();
    for (unsigned int i = 0; i < count; ++i) {
        const std::string label = ToCatalogueText(formatRadioBox->GetString(i));
        formatRadioBox->Enable(
            i, std::any_of(offered.begin(), offered.end(),
                           [&](const RingtoneFormat* format) { return label == format->label; }));
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (formatRadioBox->IsItemEnabled(i)) {
            formatRadioBox->SetSelection(static_cast<int>(i));
            break;
        }
    }
    event.Skip();
}

std::vector<const RingtoneFormat*> twUserInterface::OfferedForModel() const {
    return OfferedFormats(*phoneCatalogue, ToCatalogueText(vendorChoice->GetStringSelection()),
                          ToCatalogueText(modelChoice->GetStringSelection()));
}

void twUserInterface::OnConvertAndSend(wxCommandEvent& event) {
    const FocusReturn back(*this, convertAndSendButton);
    ConvertAndSendCommand::Selection selection;
    selection.sourcePath = importedSource;
    selection.vendor = vendorChoice->GetStringSelection();
    selection.model = modelChoice->GetStringSelection();
    const std::string vendor = ToCatalogueText(selection.vendor);
    const std::string model = ToCatalogueText(selection.model);
    for (const RingtoneFormat* format : OfferedForModel()) {
        selection.offeredCodes.push_back(format->label);
    }
    selection.phone = PlatformOfPhone(*phoneCatalogue, vendor.c_str(), model.c_str());
    const int format = formatRadioBox->GetSelection();
    if (format != wxNOT_FOUND && formatRadioBox->IsEnabled() &&
        formatRadioBox->IsItemEnabled(static_cast<unsigned>(format))) {
        selection.format = formatRadioBox->GetString(static_cast<unsigned>(format));
    }
    selection.sendMethod = sendMethodChoice->GetStringSelection();
    selection.deviceName = deviceListNote ? wxString() : deviceChoice->GetStringSelection();
    selection.deviceAddress = SelectedDeviceAddress();
    if (bluetoothFinder) {
        selection.searchFailure = bluetoothFinder->failure;
    }
    ConvertAndSendCommand command(this, mediaEditControl);
    runningJob = &command.modal;
    command.Run(selection);
    runningJob = nullptr;
    event.Skip();
    if (command.modal.closeRequested) {
        Close(true);
    }
}

std::string twUserInterface::SelectedDeviceAddress() const {
    const int selected = deviceChoice->GetSelection();
    if (deviceListNote || selected < 0) {
        return std::string();
    }
    const auto item = static_cast<size_t>(selected);
    // Item i of the list is entry i of the Bluetooth finder's table (the infrared finder's
    // devices have no address to send to); another method's, device i of its last search.
    if (bluetoothFinder) {
        return bluetoothFinder->devices && selected < bluetoothFinder->devices->count
                   ? FormatBluetoothAddress(bluetoothFinder->devices->entries[item].address)
                   : std::string();
    }
    return methodFinder && item < foundDevices.size() ? foundDevices[item].address : std::string();
}
