#include "widgets/DesktopLook.h"

#include <gtk/gtk.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLayoutDpi = 96.0;
// The default fonts of the desktops the layout holds on: GTK's own (Sans 10) and GNOME's
// (Cantarell 11). Only a font larger than these enlarges the layout.
constexpr double kLayoutDesktopPoints = 11.0;

double ResolutionScale() {
    GdkScreen* screen = gdk_screen_get_default();
    const double dpi = screen != nullptr ? gdk_screen_get_resolution(screen) : -1.0;
    return dpi > 0 ? dpi / kLayoutDpi : 1.0;
}

double DefaultFontScale() {
    gchar* name = nullptr;
    if (GtkSettings* settings = gtk_settings_get_default()) {
        g_object_get(settings, "gtk-font-name", &name, nullptr);
    }
    double points = kLayoutDesktopPoints;
    if (name != nullptr) {
        PangoFontDescription* font = pango_font_description_from_string(name);
        if (pango_font_description_get_size(font) > 0 &&
            !pango_font_description_get_size_is_absolute(font)) {
            points = pango_font_description_get_size(font) / static_cast<double>(PANGO_SCALE);
        }
        pango_font_description_free(font);
        g_free(name);
    }
    return std::max(1.0, points / kLayoutDesktopPoints);
}

DesktopLook Read() {
    DesktopLook look;
    look.fontScale = DefaultFontScale();
    look.textScale = std::max(1.0, ResolutionScale() * look.fontScale);
    look.dark = wxSystemSettings::GetAppearance().IsDark();
    look.face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    look.text = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    return look;
}

} // namespace

const DesktopLook& DesktopLook::Get() {
    static const DesktopLook look = Read();
    return look;
}

int DesktopLook::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * textScale));
}

wxSize DesktopLook::Scaled(const wxSize& size) const {
    return wxSize(size.x < 0 ? size.x : Scaled(size.x), size.y < 0 ? size.y : Scaled(size.y));
}

wxColour DesktopLook::Background() const {
    return dark ? face : *wxWHITE;
}

wxColour DesktopLook::Foreground() const {
    return dark ? text : *wxBLACK;
}
