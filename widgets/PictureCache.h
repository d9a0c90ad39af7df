// The program's pictures, each read from its file once and shared until the file changes. The
// main window shows some pictures many times over (every ruler's background and markers), and
// reading and decoding each copy again took a good part of the window's build. Pictures are
// known by their absolute paths, so working folders of different runs in one process (tests)
// never mix. User-interface thread only; the cache empties when the toolkit shuts down.
#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

// The picture in the file, of any type the toolkit reads, with its white made transparent
// when asked. An invalid bitmap when the file can't be read; the next call reads it again.
wxBitmap LoadPicture(const wxString& path, bool whiteIsTransparent = false);

// Reads every BMP picture of the folder ahead of need, while there is time to spare. A missing
// folder is not an error: the pictures are then missing when they are needed.
void PreloadPictures(const wxString& folder);
