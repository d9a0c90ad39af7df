// The working folder as the program finds it: every picture it loads, at the size its layout
// was drawn for, ruler markers that fit their hotspots, the window icon and the converter link.
// Runs in build/run.
#include "BmpImage.h"
#include "FileContents.h"
#include "LittleEndian.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using twtest::BmpImage;

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

BmpImage LoadPicture(const std::string& name) {
    BmpImage image;
    EXPECT_TRUE(image.Load("images/" + name)) << name << ": " << image.problem;
    return image;
}

int DrawnRowsInColumn(const BmpImage& image, int x) {
    int rows = 0;
    for (int y = 0; y < image.height; ++y) {
        rows += image.IsWhite(x, y) ? 0 : 1;
    }
    return rows;
}

int DrawnPixelsInRow(const BmpImage& image, int y) {
    int count = 0;
    for (int x = 0; x < image.width; ++x) {
        count += image.IsWhite(x, y) ? 0 : 1;
    }
    return count;
}

// The ruler leaves a marker's white pixels out. White enclosed by the marker's art would let
// the ruler show through a hole, so every white pixel must reach the border through white.
bool WhiteOnlyOutside(const BmpImage& image) {
    const int w = image.width;
    const int h = image.height;
    const auto at = [w](int x, int y) {
        return static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
    };
    std::vector<bool> outside(at(0, h), false);
    std::vector<std::pair<int, int>> todo;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || !image.IsWhite(x, y) || outside[at(x, y)]) {
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
            if (image.IsWhite(x, y) && !outside[at(x, y)]) {
                return false;
            }
        }
    }
    return true;
}

bool SameShape(const BmpImage& a, const BmpImage& b, bool mirrorX, bool mirrorY) {
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const int bx = mirrorX ? a.width - 1 - x : x;
            const int by = mirrorY ? a.height - 1 - y : y;
            if (a.IsWhite(x, y) != b.IsWhite(bx, by)) {
                return false;
            }
        }
    }
    return true;
}

TEST(RunFolder, EveryPictureIsAComplete24BitBmpOfItsLayoutSize) {
    for (const Picture& p : kPictures) {
        const BmpImage image = LoadPicture(p.name);
        EXPECT_EQ(image.width, p.width) << p.name;
        EXPECT_EQ(image.height, p.height) << p.name;
    }
}

TEST(RunFolder, RangeMarkersStandOnTheirEdgesAndMirrorEachOther) {
    const BmpImage start = LoadPicture("rulerStart.bmp");
    const BmpImage end = LoadPicture("rulerEnd.bmp");
    // Hotspot 0: the start marker's left edge is its value, so its pole fills column 0.
    EXPECT_GE(DrawnRowsInColumn(start, 0), 16);
    EXPECT_TRUE(start.IsWhite(17, 17));
    // Hotspot 18: the end marker's right edge is its value.
    EXPECT_GE(DrawnRowsInColumn(end, 17), 16);
    EXPECT_TRUE(end.IsWhite(0, 17));
    EXPECT_TRUE(SameShape(start, end, true, false));
    EXPECT_TRUE(WhiteOnlyOutside(start));
    EXPECT_TRUE(WhiteOnlyOutside(end));
}

TEST(RunFolder, SingleMarkersAreCentredOnColumnSevenAndPointAtTheWaveform) {
    const BmpImage down = LoadPicture("rulerSingle.bmp");
    const BmpImage up = LoadPicture("rulerSingleUP.bmp");
    EXPECT_EQ(DrawnRowsInColumn(down, 7), 18);
    EXPECT_TRUE(SameShape(down, down, true, false)) << "not symmetric about column 7";
    // The time ruler lies above the waveform: its marker narrows to a tip at the bottom.
    EXPECT_GT(DrawnPixelsInRow(down, 0), 9);
    EXPECT_LE(DrawnPixelsInRow(down, 17), 3);
    EXPECT_FALSE(down.IsWhite(7, 17));
    // The fade and silence rulers lie below it: the same marker upside down.
    EXPECT_TRUE(SameShape(down, up, false, true));
    EXPECT_TRUE(WhiteOnlyOutside(down));
    EXPECT_TRUE(WhiteOnlyOutside(up));
}

TEST(RunFolder, VolumeThumbIsCentredOnColumnThree) {
    const BmpImage thumb = LoadPicture("rulerVolume.bmp");
    EXPECT_GE(DrawnRowsInColumn(thumb, 3), 16);
    EXPECT_TRUE(SameShape(thumb, thumb, true, false));
    EXPECT_TRUE(WhiteOnlyOutside(thumb));
}

TEST(RunFolder, RulerStripsHaveNoTransparentWhite) {
    // The strips are drawn without a mask; white in them would read as a gap in the ruler.
    for (const char* name : {"rulerBck.bmp", "rulerRangeBck.bmp", "rulerRange.bmp"}) {
        const BmpImage strip = LoadPicture(name);
        for (int y = 0; y < strip.height; ++y) {
            EXPECT_EQ(DrawnPixelsInRow(strip, y), strip.width) << name << " row " << y;
        }
    }
}

TEST(RunFolder, WindowIconHoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    const std::string d = twtest::Contents("twk.ico");
    ASSERT_GE(d.size(), 6U);
    ASSERT_EQ(twtest::LeU16(d, 0), 0);
    ASSERT_EQ(twtest::LeU16(d, 2), 1); // an icon, not a cursor
    ASSERT_EQ(twtest::LeU16(d, 4), 3);
    ASSERT_GE(d.size(), 6U + 3 * 16);
    std::set<int> sizes;
    for (size_t i = 0; i < 3; ++i) {
        const size_t entry = 6 + i * 16;
        const auto width = static_cast<uint8_t>(d[entry]);
        const auto height = static_cast<uint8_t>(d[entry + 1]);
        EXPECT_EQ(width, height);
        sizes.insert(width);
        const uint32_t length = twtest::LeU32(d, entry + 8);
        const uint32_t offset = twtest::LeU32(d, entry + 12);
        ASSERT_LE(size_t{offset} + length, d.size());
        // Each image is a bitmap of twice its height (colours, then the mask).
        EXPECT_EQ(twtest::LeU32(d, offset), 40U);
        EXPECT_EQ(static_cast<int32_t>(twtest::LeU32(d, offset + 4)), width);
        EXPECT_EQ(static_cast<int32_t>(twtest::LeU32(d, offset + 8)), 2 * height);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST(RunFolder, ConverterLinkLeadsToAnExecutable) {
    EXPECT_TRUE(std::filesystem::is_directory("temp"));
    EXPECT_TRUE(std::filesystem::is_symlink("temp/ffmpeg"));
    EXPECT_EQ(access("temp/ffmpeg", X_OK), 0) << "ffmpeg missing or not executable";
}

} // namespace
