#include "widgets/ButtonPicture.h"

#include "widgets/LookPictures.h"
#include "widgets/PictureCache.h"
#include "widgets/PictureWords.h"

#include <wx/bmpbuttn.h>
#include <wx/statbmp.h>

wxBitmap ButtonPicture(const char* path) {
    return LoadPicture(path, true);
}

wxBitmapButton* NewPictureButton(wxWindow* parent, const char* path) {
    auto* button = new wxBitmapButton(parent, wxID_ANY, LookPicture(path, true), wxDefaultPosition,
                                      wxDefaultSize, wxBU_AUTODRAW, wxDefaultValidator, "button");
    PictureWords::Name(button, path);
    return button;
}

void SetButtonPicture(wxBitmapButton* button, const char* path) {
    button->SetBitmapLabel(LookPicture(path, true));
    PictureWords::Name(button, path);
    button->Refresh();
}

wxStaticBitmap* NewPictureLabel(wxWindow* parent, const char* path) {
    // White is transparent, so that a dark theme's background shows around the words.
    auto* label = new wxStaticBitmap(parent, wxID_ANY, LookPicture(path, true), wxDefaultPosition,
                                     wxDefaultSize, 0, "staticBitmap");
    PictureWords::Name(label, path);
    return label;
}
