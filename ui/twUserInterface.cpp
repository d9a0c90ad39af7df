#include "ui/twUserInterface.h"

#include "audio/AudioEngine.h"
#include "phones/PhoneCatalogue.h"
#include "phones/TextConversion.h"

#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/radiobox.h>

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
}

twUserInterface::~twUserInterface() {
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

void twUserInterface::OnHelp(wxCommandEvent&) {
    // A missing book is not worth a message: the button simply does nothing.
    if (!wxFileName::FileExists(helpBook)) {
        return;
    }
    if (!helpController) {
        EnsureArchiveHandler();
        auto controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, this);
        controller->SetFrameParameters("%s", wxSize(760, 560));
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
    event.Skip();
}

void twUserInterface::OnModelSelected(wxCommandEvent& event) {
    // GTK greys every item of a box that is disabled as a whole, so the box comes alive with the
    // first model choice and the items carry the model's formats from then on.
    formatRadioBox->Enable();
    const unsigned int count = formatRadioBox->GetCount();
    for (unsigned int i = 0; i < count; ++i) {
        const std::string label = ToCatalogueText(formatRadioBox->GetString(i));
        const std::string vendor = ToCatalogueText(vendorChoice->GetStringSelection());
        const std::string model = ToCatalogueText(modelChoice->GetStringSelection());
        formatRadioBox->Enable(
            i, phoneCatalogue->SupportsFormat(vendor.c_str(), model.c_str(), label.c_str()));
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (formatRadioBox->IsItemEnabled(i)) {
            formatRadioBox->SetSelection(static_cast<int>(i));
            break;
        }
    }
    event.Skip();
}
