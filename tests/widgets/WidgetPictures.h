// Pictures for widget tests: writes the BMP files the widgets load from "images/" into a
// temporary folder and makes it the working directory for the test's lifetime, and renders a
// widget offscreen so that tests can read its pixels.
#pragma once

#include "TempDir.h"

#include <gtest/gtest.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/image.h>

#include <filesystem>
#include <functional>
#include <string>

namespace twtest {

// Colours of the test pictures, chosen to be told apart from each other and from what the
// widgets draw themselves.
extern const wxColour kBackgroundColour; // rulerBck.bmp, 20 x 18
extern const wxColour kStartColour;      // rulerStart.bmp, 18 x 18
extern const wxColour kEndColour;        // rulerEnd.bmp, 18 x 18
extern const wxColour kSingleColour;     // rulerSingle.bmp and rulerSingleUP.bmp, 15 x 18
extern const wxColour kVolumeColour;     // rulerVolume.bmp, 7 x 18
extern const wxColour kWhite;
extern const wxColour kBlack;

class ImagesFolder {
public:
    // Every marker picture has its top row white, which the mask must leave transparent.
    ImagesFolder();
    ~ImagesFolder();
    ImagesFolder(const ImagesFolder&) = delete;
    ImagesFolder& operator=(const ImagesFolder&) = delete;

    void Remove(const std::string& name);

private:
    TempDir dir;
    std::filesystem::path previous;
};

// Draws through `paint` onto a width x height bitmap first filled with magenta (so that
// untouched pixels show) and returns the result.
wxImage Render(int width, int height, const std::function<void(wxDC&)>& paint);

// "r,g,b" of a pixel, for readable failures.
std::string Rgb(const wxImage& image, int x, int y);
std::string Rgb(const wxColour& colour);

// Saves the image as a PNG in the system's temporary folder for a person to look at, and
// returns the path. Tests call it when a pixel check fails.
std::string Keep(const wxImage& image, const std::string& name);

// Succeeds when pixel (x, y) has the colour; otherwise keeps the picture under `name` and
// says where.
::testing::AssertionResult PixelIs(const wxImage& image, int x, int y, const wxColour& colour,
                                   const std::string& name);

} // namespace twtest
