#include "widgets/RadioItemsLook.h"

#include <gtk/gtk.h>
#include <wx/radiobox.h>

namespace {
// Above the priority at which the toolkit applies window colours, so this wins for the
// disabled state only; the toolkit's colours still hold for enabled items.
constexpr guint kPriority = GTK_STYLE_PROVIDER_PRIORITY_USER;
const char* const kDisabledStyle =
    "radiobutton:disabled, label:disabled { color: #8b8e8f; }"
    " radiobutton:disabled radio { color: #8b8e8f; border-color: #c0bdb9;"
    " background-image: image(#e8e8e7); }";

void AddStyle(GtkWidget* widget, GtkCssProvider* provider) {
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                   GTK_STYLE_PROVIDER(provider), kPriority);
}

// The items sit in containers inside the box's frame; each item and its label get the style.
void StyleItems(GtkWidget* widget, gpointer data) {
    auto* provider = static_cast<GtkCssProvider*>(data);
    if (GTK_IS_RADIO_BUTTON(widget)) {
        AddStyle(widget, provider);
        if (GtkWidget* label = gtk_bin_get_child(GTK_BIN(widget))) {
            AddStyle(label, provider);
        }
    } else if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), StyleItems, data);
    }
}
} // namespace

void KeepDisabledItemsGrey(wxRadioBox* box) {
    auto* widget = static_cast<GtkWidget*>(box->GetHandle());
    if (widget == nullptr || !GTK_IS_CONTAINER(widget)) {
        return;
    }
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, kDisabledStyle, -1, nullptr)) {
        gtk_container_forall(GTK_CONTAINER(widget), StyleItems, provider);
    }
    g_object_unref(provider);
}
