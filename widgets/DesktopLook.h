// How the desktop asks windows to look, read once from GTK's settings and the theme's own
// colours the first time it is asked (after the toolkit has started): how much larger its text
// is than the text the main window's layout was drawn for (GDK_DPI_SCALE and Xft.dpi raise the
// resolution, a larger default font the point size), and whether the theme is dark. The layout
// multiplies its pixels by textScale, the pictures follow it and the theme, and the windows take
// the theme's colours when it is dark. At the default settings (96 dpi, a font of 11 points or
// less, a light theme) it changes nothing. User-interface thread only.
#pragma once

#include <wx/colour.h>
#include <wx/gdicmn.h>

struct DesktopLook {
    // The layout's scale, at least 1: the resolution against 96 dpi times fontScale.
    double textScale = 1.0;
    // The desktop's default font against the 11 points of the desktops the layout was made
    // for, at least 1; the window's fonts are that much larger.
    double fontScale = 1.0;
    // The theme's window colour is darker than its text.
    bool dark = false;
    // The theme's face and text colours, for the windows to follow when it is dark.
    wxColour face;
    wxColour text;

    static const DesktopLook& Get();

    // Layout pixels to window pixels, rounded.
    int Scaled(int pixels) const;
    wxSize Scaled(const wxSize& size) const;
    // The window's background and foreground: white and black (the Part's colours) unless dark.
    wxColour Background() const;
    wxColour Foreground() const;
};
