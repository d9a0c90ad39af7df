#include "widgets/CheckMarkPictures.h"

#include <gtk/gtk.h>

#include <cstring>

namespace {
// The default theme's own rules for the marks, with only its vector drawing left out of each
// image list: the picture it falls back to is the same mark, rendered at its size.
const char* const kMarkStyle =
    "check:checked { -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/check-symbolic.symbolic.png\")); }"
    " check:indeterminate { -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/dash-symbolic.symbolic.png\")); }"
    " treeview.view radio:checked:selected, radio:checked { -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png\")); }"
    " treeview.view radio:indeterminate:selected, radio:indeterminate {"
    " -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/dash-symbolic.symbolic.png\")); }";

bool DefaultThemeInUse(GdkScreen* screen) {
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_for_screen(screen), "gtk-theme-name", &name, nullptr);
    const bool adwaita = name != nullptr && (std::strcmp(name, "Adwaita") == 0 ||
                                             std::strcmp(name, "Adwaita-dark") == 0);
    g_free(name);
    return adwaita;
}

bool UnscaledScreen(GdkScreen* screen) {
    GdkDisplay* display = gdk_screen_get_display(screen);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    return monitor == nullptr || gdk_monitor_get_scale_factor(monitor) == 1;
}
} // namespace

void UsePrerenderedCheckMarks() {
    static bool used = false;
    GdkScreen* screen = gdk_screen_get_default();
    if (used || screen == nullptr || !DefaultThemeInUse(screen) || !UnscaledScreen(screen)) {
        return;
    }
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, kMarkStyle, -1, nullptr)) {
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        used = true;
    }
    g_object_unref(provider);
}
