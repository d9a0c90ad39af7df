#include "widgets/ToolkitWarmUp.h"

#include <gtk/gtk.h>
#include <wx/uilocale.h>

#include <array>

namespace {
// The fonts of the main window: the picker's, the send button's, the panel's and the check
// boxes', and the window's own.
constexpr std::array<const char*, 5> kFonts = {"Arial Bold 14", "Times New Roman 12", "Sans 8",
                                               "Sans 10", "Sans"};

// Asks the control for its size, which computes its style and lays out its text.
void Measure(GtkWidget* widget) {
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_width(widget, &minimum, &natural);
    gtk_widget_get_preferred_height(widget, &minimum, &natural);
}
} // namespace

void WarmUpToolkit() {
    // Every window asks for the locale's layout direction, and the first question builds the
    // toolkit's table of languages.
    wxUILocale::GetCurrent().GetLayoutDirection();
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    g_object_ref_sink(box);
    GtkWidget* combo = gtk_combo_box_text_new();
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), "Bluetooth");
    const std::array<GtkWidget*, 9> controls = {
        gtk_entry_new(),
        gtk_button_new_with_label("Browse"),
        combo,
        gtk_check_button_new_with_label("Chorus"),
        gtk_radio_button_new_with_label(nullptr, "WAV"),
        gtk_scrollbar_new(GTK_ORIENTATION_HORIZONTAL, nullptr),
        gtk_frame_new("Step 1"),
        gtk_separator_new(GTK_ORIENTATION_HORIZONTAL),
        gtk_image_new(),
    };
    for (GtkWidget* control : controls) {
        gtk_container_add(GTK_CONTAINER(box), control);
        Measure(control);
    }
    PangoLayout* layout = gtk_widget_create_pango_layout(box, "Convert and Send 0123456789");
    for (const char* font : kFonts) {
        PangoFontDescription* description = pango_font_description_from_string(font);
        pango_layout_set_font_description(layout, description);
        int width = 0;
        int height = 0;
        pango_layout_get_pixel_size(layout, &width, &height);
        pango_font_description_free(description);
    }
    g_object_unref(layout);
    gtk_widget_destroy(box);
    g_object_unref(box);
}
