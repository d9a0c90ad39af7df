#include "ui/FocusReturn.h"

#include "widgets/KeyboardFocus.h"

#include <wx/toplevel.h>

FocusReturn::FocusReturn(wxTopLevelWindow& topLevel, wxWindow* nextStep)
    : window(topLevel), had(KeyboardFocus(&topLevel)), next(nextStep) {}

FocusReturn::~FocusReturn() {
    Give(window, had, next);
}

void FocusReturn::Give(wxTopLevelWindow& window, wxWindow* had, wxWindow* next) {
    if (window.IsBeingDeleted() || !window.IsShown()) {
        return;
    }
    const auto canTake = [&window](wxWindow* control) {
        return control != nullptr && wxGetTopLevelParent(control) == &window &&
               control->IsShownOnScreen() && control->IsEnabled() && control->CanAcceptFocus();
    };
    wxWindow* target = canTake(had) ? had : next;
    window.Raise();
    if (canTake(target)) {
        target->SetFocus();
    }
}
