// Pictures for bitmap buttons. The pictures are drawn on white; white is made see-through so
// that the button face shows around them. Used by the main window and the editor panel.
#pragma once

#include <wx/bitmap.h>

class wxBitmapButton;
class wxWindow;

// Loads a picture of any type, relative to the working directory, with white masked. A file
// that can't be loaded gives an invalid bitmap.
wxBitmap ButtonPicture(const char* path);

// A bitmap button showing the picture, drawn by the toolkit around it.
wxBitmapButton* NewPictureButton(wxWindow* parent, const char* path);

// Makes the picture the button's normal picture and lets the button redraw itself.
void SetButtonPicture(wxBitmapButton* button, const char* path);
