#include "widgets/KeyboardFocus.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

// The deepest window below `window` whose widget is or contains `focus`.
wxWindow* Holder(wxWindow* window, GtkWidget* focus) {
    for (wxWindow* child : window->GetChildren()) {
        if (wxWindow* deeper = Holder(child, focus)) {
            return deeper;
        }
        auto* widget = static_cast<GtkWidget*>(child->GetHandle());
        if (widget != nullptr && (focus == widget || gtk_widget_is_ancestor(focus, widget))) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

wxWindow* KeyboardFocus(wxWindow* topLevel) {
    wxWindow* focus = wxWindow::FindFocus();
    if (focus != nullptr || topLevel == nullptr) {
        return focus;
    }
    auto* window = static_cast<GtkWidget*>(topLevel->GetHandle());
    GtkWidget* gtkFocus =
        GTK_IS_WINDOW(window) ? gtk_window_get_focus(GTK_WINDOW(window)) : nullptr;
    return gtkFocus != nullptr ? Holder(topLevel, gtkFocus) : nullptr;
}
