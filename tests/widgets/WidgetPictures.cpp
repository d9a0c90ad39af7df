#include "WidgetPictures.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/imagpng.h>

namespace twtest {

const wxColour kBackgroundColour(210, 230, 250);
const wxColour kStartColour(200, 0, 0);
const wxColour kEndColour(0, 0, 200);
const wxColour kSingleColour(0, 120, 0);
const wxColour kVolumeColour(120, 0, 120);
const wxColour kWhite(255, 255, 255);
const wxColour kBlack(0, 0, 0);

namespace {

void WriteBmp(const std::filesystem::path& path, int width, int height, const wxColour& colour,
              bool whiteTop) {
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    if (whiteTop) {
        image.SetRGB(wxRect(0, 0, width, 1), 255, 255, 255);
    }
    image.SaveFile(path.string(), wxBITMAP_TYPE_BMP);
}

} // namespace

ImagesFolder::ImagesFolder() : previous(std::filesystem::current_path()) {
    const auto images = dir.Path() / "images";
    std::filesystem::create_directories(images);
    WriteBmp(images / "rulerBck.bmp", 20, 18, kBackgroundColour, false);
    WriteBmp(images / "rulerVolumeBck.bmp", 20, 18, kBackgroundColour, false);
    WriteBmp(images / "rulerStart.bmp", 18, 18, kStartColour, true);
    WriteBmp(images / "rulerEnd.bmp", 18, 18, kEndColour, true);
    WriteBmp(images / "rulerSingle.bmp", 15, 18, kSingleColour, true);
    WriteBmp(images / "rulerSingleUP.bmp", 15, 18, kSingleColour, true);
    WriteBmp(images / "rulerVolume.bmp", 7, 18, kVolumeColour, true);
    std::filesystem::current_path(dir.Path());
}

ImagesFolder::~ImagesFolder() {
    std::filesystem::current_path(previous);
}

void ImagesFolder::Remove(const std::string& name) {
    std::filesystem::remove(dir.Path() / "images" / name);
}

wxImage Render(int width, int height, const std::function<void(wxDC&)>& paint) {
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        paint(dc);
    }
    return bitmap.ConvertToImage();
}

std::string Rgb(const wxImage& image, int x, int y) {
    return Rgb(wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)));
}

std::string Rgb(const wxColour& colour) {
    return std::to_string(colour.Red()) + "," + std::to_string(colour.Green()) + "," +
           std::to_string(colour.Blue());
}

std::string Keep(const wxImage& image, const std::string& name) {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler);
    }
    const auto path = std::filesystem::temp_directory_path() / ("tw-" + name + ".png");
    image.SaveFile(path.string(), wxBITMAP_TYPE_PNG);
    return path.string();
}

::testing::AssertionResult PixelIs(const wxImage& image, int x, int y, const wxColour& colour,
                                   const std::string& name) {
    if (x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight() &&
        image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
        image.GetBlue(x, y) == colour.Blue()) {
        return ::testing::AssertionSuccess();
    }
    const std::string actual = x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight()
                                   ? Rgb(image, x, y)
                                   : "outside the picture";
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << actual << ", expected " << Rgb(colour)
           << "; picture kept at " << Keep(image, name);
}

} // namespace twtest
