// What a screen reader hears of a control, set on the accessible object of the control's GTK
// widget (ATK, which GTK's bridge serves over AT-SPI): wxWidgets on GTK offers no accessibility
// of its own, and leaves picture buttons, pictures and self-drawn windows without a name. The
// texts are the caller's; user-interface thread only.
#pragma once

#include <wx/string.h>

class wxWindow;

enum class AccessibleRole {
    Unchanged, // the role GTK gives the widget
    Heading,   // a section title drawn as a picture
    Label,     // a picture of words that label the control beside it
    Slider,    // a ruler
    Image,     // the waveform
};

// The name a screen reader says for the window (and the role it announces).
void SetAccessibleName(wxWindow* window, const wxString& name,
                       AccessibleRole role = AccessibleRole::Unchanged);

// The window's current value in words, said after its name; renew it after every change.
void SetAccessibleValue(wxWindow* window, const wxString& value);
