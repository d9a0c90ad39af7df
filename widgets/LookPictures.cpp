#include "widgets/LookPictures.h"

#include "widgets/DesktopLook.h"
#include "widgets/PictureCache.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/window.h>

#include <array>
#include <cmath>

namespace {

struct Drawing {
    double scale;
    const char* suffix;
};
constexpr std::array<Drawing, 3> kDrawings = {{{1.0, ""}, {1.5, "_1_5x"}, {2.0, "_2x"}}};

// The file of a drawing of the picture: images/Help.bmp at 2 in the dark is
// images/Help_dark_2x.bmp.
wxString DrawingFile(const wxString& path, const Drawing& drawing, bool dark) {
    const wxString stem = path.BeforeLast('.');
    return stem + (dark ? "_dark" : "") + drawing.suffix + "." + path.AfterLast('.');
}

// The language of the pictures' words (UsePictureLanguage); empty for English.
wxString& PictureLanguage() {
    static wxString language;
    return language;
}

// The picture drawn with the words of that language (images/de/Help.bmp for images/Help.bmp),
// where it has words; else the picture itself.
wxString InPictureLanguage(const wxString& path) {
    if (PictureLanguage().empty()) {
        return path;
    }
    const wxString translated =
        path.BeforeLast('/') + '/' + PictureLanguage() + '/' + path.AfterLast('/');
    return wxFileName::FileExists(translated) ? translated : path;
}

// The drawing in the desktop's theme where the picture has one for it, else the light one.
wxBitmap LoadDrawing(const wxString& path, const Drawing& drawing, bool whiteIsTransparent) {
    // Asked only where it exists: the toolkit reports a file it can't read as an error.
    const wxString dark = InPictureLanguage(DrawingFile(path, drawing, true));
    if (DesktopLook::Get().dark && wxFileName::FileExists(dark)) {
        return LoadPicture(dark, whiteIsTransparent);
    }
    return LoadPicture(InPictureLanguage(DrawingFile(path, drawing, false)), whiteIsTransparent);
}

// The larger drawing reduced smoothly to the scale; white stays white where the drawing's
// nearest pixel is white, so that the outline of what is transparent keeps its shape.
wxBitmap Resized(const wxString& path, bool whiteIsTransparent, double scale) {
    const Drawing* source = &kDrawings.back();
    for (const Drawing& drawing : kDrawings) {
        if (drawing.scale >= scale) {
            source = &drawing;
            break;
        }
    }
    const wxBitmap one = LoadDrawing(path, kDrawings.front(), false);
    const wxBitmap drawn = LoadDrawing(path, *source, false);
    if (!one.IsOk() || !drawn.IsOk()) {
        return wxBitmap();
    }
    const int width = static_cast<int>(std::lround(one.GetWidth() * scale));
    const int height = static_cast<int>(std::lround(one.GetHeight() * scale));
    const wxImage image = drawn.ConvertToImage();
    wxImage resized = image.Scale(width, height, wxIMAGE_QUALITY_HIGH);
    if (whiteIsTransparent) {
        const wxImage shape = image.Scale(width, height, wxIMAGE_QUALITY_NEAREST);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (shape.GetRed(x, y) == 255 && shape.GetGreen(x, y) == 255 &&
                    shape.GetBlue(x, y) == 255) {
                    resized.SetRGB(x, y, 255, 255, 255);
                }
            }
        }
    }
    wxBitmap bitmap(resized, 24);
    if (whiteIsTransparent) {
        bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
    }
    return bitmap;
}

} // namespace

void UsePictureLanguage(const wxString& language) {
    PictureLanguage() = language;
}

void PreloadLookPictures(const wxString& folder) {
    PreloadPictures(folder);
    if (!PictureLanguage().empty()) {
        PreloadPictures(folder + '/' + PictureLanguage());
    }
}

wxBitmap PictureAtScale(const wxString& path, bool whiteIsTransparent, double scale) {
    for (const Drawing& drawing : kDrawings) {
        if (std::abs(drawing.scale - scale) < 0.01) {
            return LoadDrawing(path, drawing, whiteIsTransparent);
        }
    }
    return Resized(path, whiteIsTransparent, scale);
}

wxBitmapBundle LookPicture(const wxString& path, bool whiteIsTransparent) {
    const double text = DesktopLook::Get().textScale;
    const wxBitmap one = PictureAtScale(path, whiteIsTransparent, text);
    const wxBitmap two = PictureAtScale(path, whiteIsTransparent, 2 * text);
    if (!one.IsOk() || !two.IsOk()) {
        return wxBitmapBundle(one);
    }
    return wxBitmapBundle::FromBitmaps(one, two);
}

wxBitmap LookBitmapFor(const wxString& path, bool whiteIsTransparent, const wxWindow* window) {
    const double scale = DesktopLook::Get().textScale * window->GetContentScaleFactor();
    const wxBitmap picture = PictureAtScale(path, whiteIsTransparent, scale);
    if (std::abs(scale - 1.0) < 0.01 || !picture.IsOk()) {
        return picture;
    }
    // A bitmap of its own: the cache's copy keeps its scale factor of 1.
    wxBitmap scaled(picture.ConvertToImage(), 24);
    if (whiteIsTransparent) {
        scaled.SetMask(new wxMask(scaled, *wxWHITE));
    }
    scaled.SetScaleFactor(scale);
    return scaled;
}
