#include "widgets/RadioArrows.h"

#include <gtk/gtk.h>
#include <wx/radiobox.h>

namespace {

gboolean SelectFocused(GtkWidget* item, GdkEvent*, gpointer) {
    if (gtk_widget_is_sensitive(item) && !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(item))) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(item), TRUE);
    }
    return FALSE;
}

// The items sit in containers inside the box's frame.
void ConnectItems(GtkWidget* widget, gpointer) {
    if (GTK_IS_RADIO_BUTTON(widget)) {
        g_signal_connect(widget, "focus-in-event", G_CALLBACK(SelectFocused), nullptr);
    } else if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), ConnectItems, nullptr);
    }
}

} // namespace

void SelectRadioItemsOnFocus(wxRadioBox* box) {
    auto* widget = static_cast<GtkWidget*>(box->GetHandle());
    if (widget != nullptr && GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), ConnectItems, nullptr);
    }
}
