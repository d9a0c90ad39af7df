// The grid every part of the main window's and the editor's layout is built from.
#pragma once

#include <wx/sizer.h>

// A grid with no gaps, flexible both ways, whose fixed rows and columns keep their size; the
// caller's sizer or window owns it.
wxFlexGridSizer* NewGrid(int rows, int cols);
