// The ruler strips' ticks as the editor shows them after an import: 4 pixels per second, the
// time axis starting 3 pixels into the ruler, the strip tiled from the ruler's left edge. A
// tick must stand at the start of every second, a longer one every 5 and every 10 seconds, so
// that the time ruler's labels (every 30 seconds) fall on ticks. Runs in build/run.
#include "ToolkitReaders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using twtest::Pixel;

constexpr int kPixelsPerSecond = 4;
constexpr int kAxisStart = 3;
constexpr int kLabelStepSeconds = 30;

// Rows of the strip's column x (taken from the tiled strip at window x) that differ from a
// column without a tick: the strip's gradient runs top to bottom only.
int TickHeight(const wxImage& strip, int windowX) {
    const int x = windowX % strip.GetWidth();
    int rows = 0;
    for (int y = 0; y < strip.GetHeight(); ++y) {
        rows += Pixel(strip, x, y) == Pixel(strip, 1, y) ? 0 : 1;
    }
    return rows;
}

} // namespace

TEST(RulerTicks, markEverySecondAtTheEditorsZoomWithLongerTicksEveryFiveAndTenSeconds) {
    for (const char* name : {"rulerBck.bmp", "rulerRangeBck.bmp", "rulerRange.bmp"}) {
        const wxImage strip = twtest::ReadImage(std::string("images/") + name);
        ASSERT_TRUE(strip.IsOk()) << name;
        ASSERT_EQ(TickHeight(strip, 1), 0) << name << ": column 1 must be free of ticks";
        const int first = TickHeight(strip, kAxisStart + kPixelsPerSecond);
        const int fifth = TickHeight(strip, kAxisStart + 5 * kPixelsPerSecond);
        const int tenth = TickHeight(strip, kAxisStart + 10 * kPixelsPerSecond);
        EXPECT_GT(first, 0) << name;
        EXPECT_GT(fifth, first) << name;
        EXPECT_GT(tenth, fifth) << name;
        // Three minutes of ruler, tile after tile.
        for (int x = 0; x < kAxisStart + 180 * kPixelsPerSecond; ++x) {
            const bool onSecond = x >= kAxisStart && (x - kAxisStart) % kPixelsPerSecond == 0;
            const int second = (x - kAxisStart) / kPixelsPerSecond;
            int expected = 0;
            if (onSecond) {
                expected = second % 10 == 0 ? tenth : second % 5 == 0 ? fifth : first;
            }
            ASSERT_EQ(TickHeight(strip, x), expected) << name << " at window x " << x;
        }
        const int labelled = kAxisStart + kLabelStepSeconds * kPixelsPerSecond;
        EXPECT_EQ(TickHeight(strip, labelled), tenth) << name << ": the 0:30 label's tick";
    }
}
