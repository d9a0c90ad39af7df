// What each picture of the window says, for screen readers: a picture button by its action, a
// picture of words by those words, a section title as a heading. The one list of these texts;
// the picture helpers (NewPictureButton, SetButtonPicture, NewPictureLabel) give every picture
// its words as they show it. Plain data; user-interface thread only.
#pragma once

#include "widgets/Accessible.h"

#include <wx/string.h>

struct PictureWords {
    wxString words;
    AccessibleRole role;

    // The words of the picture at path (images/NAME.bmp); empty words for an unknown picture.
    static PictureWords Of(const wxString& path);
    // Names the window after the picture it shows.
    static void Name(wxWindow* window, const wxString& path);
};
