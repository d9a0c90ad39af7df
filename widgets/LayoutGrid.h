// The grid every part of the main window's and the editor's layout is built from, with the
// layout's pixels and fonts at the desktop's text scale.
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/sizer.h>

// A grid with no gaps, flexible both ways, whose fixed rows and columns keep their size; the
// caller's sizer or window owns it.
wxFlexGridSizer* NewGrid(int rows, int cols);

// Layout pixels to window pixels at the desktop's text scale.
int Px(int pixels);
wxSize Px(const wxSize& size);

// A font of the layout, larger by as much as the desktop's default font is.
wxFont LayoutFont(double points, wxFontFamily family, wxFontWeight weight,
                  const wxString& face = wxString());
