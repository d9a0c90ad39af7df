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
    followed.push_back({control, tip});
    const auto show = [this, control](wxCommandEvent& event) {
        Renew(control);
        event.Skip();
    };
    control->Bind(wxEVT_CHOICE, show);
    control->Bind(wxEVT_RADIOBOX, show);
    Renew(control);
}

void SelectionToolTips::Renew(wxWindow* control) const {
    const auto found = std::find_if(followed.begin(), followed.end(),
                                    [control](const Followed& f) { return f.control == control; });
    if (found != followed.end()) {
        control->SetToolTip(Text(SelectionOf(control), found->tip));
    }
}
