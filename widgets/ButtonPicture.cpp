#include "widgets/ButtonPicture.h"

#include <wx/bmpbuttn.h>

wxBitmap ButtonPicture(const char* path) {
    wxBitmap picture(path, wxBITMAP_TYPE_ANY);
    if (picture.IsOk()) {
        picture.SetMask(new wxMask(picture, *wxWHITE));
    }
    return picture;
}

wxBitmapButton* NewPictureButton(wxWindow* parent, const char* path) {
    return new wxBitmapButton(parent, wxID_ANY, ButtonPicture(path), wxDefaultPosition,
                              wxDefaultSize, wxBU_AUTODRAW, wxDefaultValidator, "button");
}

void SetButtonPicture(wxBitmapButton* button, const char* path) {
    button->SetBitmapLabel(ButtonPicture(path));
    button->Refresh();
}
