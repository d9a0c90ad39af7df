#include "widgets/ScrollThumb.h"

#include <gtk/gtk.h>
#include <wx/scrolbar.h>

namespace {
// Above the priority at which the toolkit applies window colours, so this wins for the thumb.
constexpr guint kPriority = GTK_STYLE_PROVIDER_PRIORITY_USER;
const char* const kThumbStyle = "scrollbar slider { background-color: #ffffff;"
                                " border: 1px solid #004a9f; min-width: 24px; min-height: 8px; }";
} // namespace

void KeepScrollThumbVisible(wxScrollBar* bar) {
    auto* widget = static_cast<GtkWidget*>(bar->GetHandle());
    if (widget == nullptr) {
        return;
    }
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, kThumbStyle, -1, nullptr)) {
        gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                       GTK_STYLE_PROVIDER(provider), kPriority);
    }
    g_object_unref(provider);
}
