// Pictures for bitmap buttons and picture labels. The pictures are drawn on white; white is made
// see-through so that the button face (or the window) shows around them. Each is named for
// screen readers by its words (PictureWords). Used by the main window and the editor panel.
#pragma once

#include <wx/bitmap.h>

class wxBitmapButton;
class wxStaticBitmap;
class wxWindow;

// Loads the 1x picture of any type, relative to the working directory, with white masked. A
// file that can't be loaded gives an invalid bitmap.
wxBitmap ButtonPicture(const char* path);

// A bitmap button showing the picture in the desktop's look (LookPicture), drawn by the toolkit
// around it.
wxBitmapButton* NewPictureButton(wxWindow* parent, const char* path);

// Makes the picture the button's normal picture and lets the button redraw itself.
void SetButtonPicture(wxBitmapButton* button, const char* path);

// A static picture (a title or a label of words) in the desktop's look.
wxStaticBitmap* NewPictureLabel(wxWindow* parent, const char* path);
