#include "widgets/ButtonPicture.h"

#include "widgets/PictureCache.h"

#include <wx/bmpbuttn.h>

wxBitmap ButtonPicture(const char* path) {
    return LoadPicture(path, true);
}

wxBitmapButton* NewPictureButton(wxWindow* parent, const char* path) {
    return new wxBitmapButton(parent, wxID_ANY, ButtonPicture(path), wxDefaultPosition,
                              wxDefaultSize, wxBU_AUTODRAW, wxDefaultValidator, "button");
}

void SetButtonPicture(wxBitmapButton* button, const char* path) {
    button->SetBitmapLabel(ButtonPicture(path));
    button->Refresh();
}
