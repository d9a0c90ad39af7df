#include "ui/SelectionToolTips.h"

#include <wx/ctrlsub.h>
#include <wx/window.h>

#include <algorithm>

namespace {

wxString SelectionOf(wxWindow* control) {
    const auto* items = dynamic_cast<const wxItemContainerImmutable*>(control);
    return items != nullptr ? items->GetStringSelection() : wxString();
}

// The selection (none: nothing) above what the control is for.
wxString Text(const wxString& selection, const wxString& tip) {
    return selection.empty() ? tip : selection + "\n" + tip;
}

} // namespace

void SelectionToolTips::Follow(wxWindow* control, const wxString& tip) {
    followed.push_back({control, tip, wxString()});
    const auto show = [this, control](wxCommandEvent& event) {
        if (const Followed* f = Find(control)) {
            Show(*f);
        }
        event.Skip();
    };
    control->Bind(wxEVT_CHOICE, show);
    control->Bind(wxEVT_RADIOBOX, show);
    Renew(control);
}

void SelectionToolTips::Renew(wxWindow* control, const wxString& shown) {
    if (Followed* f = Find(control)) {
        f->shown = shown;
        Show(*f);
    }
}

SelectionToolTips::Followed* SelectionToolTips::Find(wxWindow* control) {
    const auto found = std::find_if(followed.begin(), followed.end(),
                                    [control](const Followed& f) { return f.control == control; });
    return found != followed.end() ? &*found : nullptr;
}

void SelectionToolTips::Show(const Followed& f) const {
    f.control->SetToolTip(Text(f.shown.empty() ? SelectionOf(f.control) : f.shown, f.tip));
}
