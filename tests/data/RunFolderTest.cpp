// The working folder as the program finds it: every picture it loads, at the size its layout
// was drawn for, ruler markers that fit their hotspots, the window icon and the converter link.
// Runs in build/run.
#include "ToolkitReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using twtest::IsWhite;

struct Picture {
    const char* name;
    int width;
    int height;
};

// Every picture the program names. The main window and the editor panel are laid out for
// these sizes, and the rulers' hotspots assume the marker widths.
const Picture kPictures[] = {
    {"select_media.bmp", 150, 24},
    {"PlayMedia.bmp", 100, 30},
    {"StopMedia.bmp", 100, 30},
    {"ImportMedia.bmp", 100, 30},
    {"Help.bmp", 80, 30},
    {"edit_ringtone.bmp", 200, 22},
    {"send_to_mobile.bmp", 200, 22},
    {"refresh.bmp", 22, 22},
    {"time_title.bmp", 70, 19},
    {"cut_title.bmp", 70, 19},
    {"fadein_title.bmp", 70, 19},
    {"fadeout_title.bmp", 70, 19},
    {"silence_title.bmp", 70, 19},
    {"effects_title.bmp", 56, 18},
    {"volume_title.bmp", 56, 18},
    {"playRingtone.bmp", 28, 22},
    {"pauseRingtone.bmp", 28, 22},
    {"stopRingtone.bmp", 28, 22},
    {"rulerBck.bmp", 40, 18},
    {"rulerRangeBck.bmp", 40, 18},
    {"rulerRange.bmp", 40, 18},
    {"rulerStart.bmp", 18, 18},
    {"rulerEnd.bmp", 18, 18},
    {"rulerSingle.bmp", 15, 18},
    {"rulerSingleUP.bmp", 15, 18},
    {"rulerVolumeBck.bmp", 100, 18},
    {"rulerVolume.bmp", 7, 18},
};

wxImage LoadPicture(const std::string& name) {
    return twtest::ReadImage("images/" + name);
}

int DrawnRowsInColumn(const wxImage& image, int x) {
    int rows = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        rows += IsWhite(image, x, y) ? 0 : 1;
    }
    return rows;
}

int DrawnPixelsInRow(const wxImage& image, int y) {
    int count = 0;
    for (int x = 0; x < image.GetWidth(); ++x) {
        count += IsWhite(image, x, y) ? 0 : 1;
    }
    return count;
}

// The ruler leaves a marker's white pixels out. White enclosed by the marker's art would let
// the ruler show through a hole, so every white pixel must reach the border through white.
bool WhiteOnlyOutside(const wxImage& image) {
    const int w = image.GetWidth();
    const int h = image.GetHeight();
    const auto at = [w](int x, int y) {
        return static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
    };
    std::vector<bool> outside(at(0, h), false);
    std::vector<std::pair<int, int>> todo;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || !IsWhite(image, x, y) || outside[at(x, y)]) {
            return;
        }
        outside[at(x, y)] = true;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (IsWhite(image, x, y) && !outside[at(x, y)]) {
                return false;
            }
        }
    }
    return true;
}

bool SameShape(const wxImage& a, const wxImage& b, bool mirrorX, bool mirrorY) {
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            const int bx = mirrorX ? a.GetWidth() - 1 - x : x;
            const int by = mirrorY ? a.GetHeight() - 1 - y : y;
            if (IsWhite(a, x, y) != IsWhite(b, bx, by)) {
                return false;
            }
        }
    }
    return true;
}

TEST(RunFolder, EveryPictureIsACompleteOpaqueBmpOfItsLayoutSize) {
    // Opaque: the program leaves white out itself.
    for (const Picture& p : kPictures) {
        const wxImage image = LoadPicture(p.name);
        EXPECT_EQ(image.GetWidth(), p.width) << p.name;
        EXPECT_EQ(image.GetHeight(), p.height) << p.name;
        EXPECT_FALSE(image.HasAlpha()) << p.name;
    }
}

TEST(RunFolder, RangeMarkersStandOnTheirEdgesAndMirrorEachOther) {
    const wxImage start = LoadPicture("rulerStart.bmp");
    const wxImage end = LoadPicture("rulerEnd.bmp");
    // Hotspot 0: the start marker's left edge is its value, so its pole fills column 0.
    EXPECT_GE(DrawnRowsInColumn(start, 0), 16);
    EXPECT_TRUE(IsWhite(start, 17, 17));
    // Hotspot 18: the end marker's right edge is its value.
    EXPECT_GE(DrawnRowsInColumn(end, 17), 16);
    EXPECT_TRUE(IsWhite(end, 0, 17));
    EXPECT_TRUE(SameShape(start, end, true, false));
    EXPECT_TRUE(WhiteOnlyOutside(start));
    EXPECT_TRUE(WhiteOnlyOutside(end));
}

TEST(RunFolder, SingleMarkersAreCentredOnColumnSevenAndPointAtTheWaveform) {
    const wxImage down = LoadPicture("rulerSingle.bmp");
    const wxImage up = LoadPicture("rulerSingleUP.bmp");
    EXPECT_EQ(DrawnRowsInColumn(down, 7), 18);
    EXPECT_TRUE(SameShape(down, down, true, false)) << "not symmetric about column 7";
    // The time ruler lies above the waveform: its marker narrows to a tip at the bottom.
    EXPECT_GT(DrawnPixelsInRow(down, 0), 9);
    EXPECT_LE(DrawnPixelsInRow(down, 17), 3);
    EXPECT_FALSE(IsWhite(down, 7, 17));
    // The fade and silence rulers lie below it: the same marker upside down.
    EXPECT_TRUE(SameShape(down, up, false, true));
    EXPECT_TRUE(WhiteOnlyOutside(down));
    EXPECT_TRUE(WhiteOnlyOutside(up));
}

TEST(RunFolder, VolumeThumbIsCentredOnColumnThree) {
    const wxImage thumb = LoadPicture("rulerVolume.bmp");
    EXPECT_GE(DrawnRowsInColumn(thumb, 3), 16);
    EXPECT_TRUE(SameShape(thumb, thumb, true, false));
    EXPECT_TRUE(WhiteOnlyOutside(thumb));
}

TEST(RunFolder, RulerStripsHaveNoTransparentWhite) {
    // The strips are drawn without a mask; white in them would read as a gap in the ruler.
    for (const char* name : {"rulerBck.bmp", "rulerRangeBck.bmp", "rulerRange.bmp"}) {
        const wxImage strip = LoadPicture(name);
        for (int y = 0; y < strip.GetHeight(); ++y) {
            EXPECT_EQ(DrawnPixelsInRow(strip, y), strip.GetWidth()) << name << " row " << y;
        }
    }
}

TEST(RunFolder, WindowIconHoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    // wx reads it as an icon, never as a cursor; each image with its transparent corners.
    ASSERT_EQ(wxImage::GetImageCount("twk.ico", wxBITMAP_TYPE_ICO), 3);
    std::set<int> sizes;
    for (int i = 0; i < 3; ++i) {
        const wxImage image = twtest::ReadImage("twk.ico", wxBITMAP_TYPE_ICO, i);
        EXPECT_EQ(image.GetWidth(), image.GetHeight());
        EXPECT_TRUE(image.HasAlpha()) << i;
        sizes.insert(image.GetWidth());
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST(RunFolder, ConverterLinkLeadsToAnExecutable) {
    EXPECT_TRUE(std::filesystem::is_directory("temp"));
    EXPECT_TRUE(std::filesystem::is_symlink("temp/ffmpeg"));
    EXPECT_EQ(access("temp/ffmpeg", X_OK), 0) << "ffmpeg missing or not executable";
}

} // namespace
