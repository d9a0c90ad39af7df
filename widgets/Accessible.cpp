#include "widgets/Accessible.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

AtkObject* AccessibleOf(wxWindow* window) {
    auto* widget = static_cast<GtkWidget*>(window->GetHandle());
    return widget != nullptr ? gtk_widget_get_accessible(widget) : nullptr;
}

AtkRole AtkRoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Heading:
        return ATK_ROLE_HEADING;
    case AccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case AccessibleRole::Slider:
        return ATK_ROLE_SLIDER;
    case AccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    case AccessibleRole::Unchanged:
        break;
    }
    return ATK_ROLE_INVALID;
}

} // namespace

void SetAccessibleName(wxWindow* window, const wxString& name, AccessibleRole role) {
    AtkObject* accessible = AccessibleOf(window);
    if (accessible == nullptr) {
        return;
    }
    atk_object_set_name(accessible, name.utf8_str());
    if (role != AccessibleRole::Unchanged) {
        atk_object_set_role(accessible, AtkRoleOf(role));
    }
}

void SetAccessibleValue(wxWindow* window, const wxString& value) {
    if (AtkObject* accessible = AccessibleOf(window)) {
        atk_object_set_description(accessible, value.utf8_str());
    }
}
