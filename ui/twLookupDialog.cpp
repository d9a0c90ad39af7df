#include "ui/twLookupDialog.h"

#include "ui/UpdateProgressDialog.h"

#include <wx/stattext.h>
#include <wx/time.h>

#include <algorithm>

twLookupDialog::twLookupDialog(wxWindow* parent)
    : wxProgressDialog(_("Lookup devices"), _("Searching for devices. Please wait..."), 100, parent,
                       wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_SMOOTH | wxPD_ELAPSED_TIME |
                           wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME) {
    // The toolkit places each time's value right after its caption.
    const wxWindowList& children = GetChildren();
    for (auto child = children.begin(); child != children.end(); ++child) {
        auto* caption = dynamic_cast<wxStaticText*>(*child);
        auto next = std::next(child);
        if (caption != nullptr && next != children.end() &&
            caption->GetLabel() == GetElapsedLabel()) {
            elapsedTime = dynamic_cast<wxStaticText*>(*next);
            break;
        }
    }
}

void twLookupDialog::KeepAlive() {
    const int value = GetValue();
    Update(value, wxEmptyString, nullptr);
    if (value == 0 && elapsedTime != nullptr) {
        // The toolkit counts whole seconds of local time from the dialog's creation.
        const wxString elapsed =
            GetFormattedTime(static_cast<unsigned long>(wxGetLocalTime()) - m_timeStart);
        if (elapsed != elapsedTime->GetLabel()) {
            elapsedTime->SetLabel(elapsed);
        }
    }
}

void twLookupDialog::Progress(int32_t value, void* dialog) {
    auto* lookup = static_cast<twLookupDialog*>(dialog);
    UpdateProgressDialog(std::min(value, lookup->GetRange()), dialog);
}

void twLookupDialog::Waiting(void* dialog) {
    static_cast<twLookupDialog*>(dialog)->KeepAlive();
}
