// The laid-out working folder's pictures, icon and help book read by the toolkit's own readers,
// as the program reads them: the pictures through wx's BMP handler, the icon's images through
// its ICO handler, the book's entries through its ZIP stream, which checks each entry's CRC.
// A file the toolkit can't read fails the calling test, and wx logs why on stderr.
#pragma once

#include <wx/image.h>

#include <array>
#include <map>
#include <string>

namespace twtest {

// The picture, or with the ICO type the icon's image number `index`; an empty image when it
// can't be read.
wxImage ReadImage(const std::string& path, wxBitmapType type = wxBITMAP_TYPE_BMP, int index = -1);

// x from the left, y from the top; both must lie inside the picture.
inline std::array<unsigned char, 3> Pixel(const wxImage& image, int x, int y) {
    return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}
inline bool IsWhite(const wxImage& image, int x, int y) {
    return Pixel(image, x, y) == std::array<unsigned char, 3>{255, 255, 255};
}

// Every entry of the archive by name; a damaged entry is left out.
std::map<std::string, std::string> ZipEntries(const std::string& path);

} // namespace twtest
