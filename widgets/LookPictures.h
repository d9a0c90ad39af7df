// The program's pictures as the desktop's look asks for them (DesktopLook): drawn at 1, 1.5 and
// 2 times their size (NAME.bmp, NAME_1_5x.bmp, NAME_2x.bmp) and, where a picture has ink, for
// dark themes too (NAME_dark.bmp, ...). A window shows the drawing made for its pixels: the text
// scale times the screen's pixel density; between two drawings, the larger one is reduced
// smoothly. At the default look every call gives the 1x picture of the light theme, as read by
// LoadPicture. Pictures are named by the 1x file's path; a picture with words is drawn for each
// language too, in a folder of the language's name beside it. User-interface thread only.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/string.h>

class wxWindow;

// The language whose words the pictures show from now on ("de": images/de/NAME.bmp where a
// picture has words), empty for English. Set with the window's translations.
void UsePictureLanguage(const wxString& language);

// Reads every picture of the folder into the picture cache, and those of its language's folder
// when the pictures show another language's words.
void PreloadLookPictures(const wxString& folder);

// The picture for `scale` pixels per layout pixel, as a plain bitmap of that many pixels.
wxBitmap PictureAtScale(const wxString& path, bool whiteIsTransparent, double scale);

// The picture at the text scale, for screens of one and of two pixels per point: what a
// toolkit control (a static bitmap, a bitmap button) shows.
wxBitmapBundle LookPicture(const wxString& path, bool whiteIsTransparent);

// The picture for a window that draws itself scaled by the text scale: of the window's
// pixels, with the scale factor that makes its logical size the 1x picture's.
wxBitmap LookBitmapFor(const wxString& path, bool whiteIsTransparent, const wxWindow* window);
