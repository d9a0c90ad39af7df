#include "widgets/RulerGeometry.h"

#include <gtest/gtest.h>

namespace {

RulerGeometry Ruler(int32_t minValue, int32_t maxValue, int32_t width, int32_t margin = 3) {
    RulerGeometry g;
    g.minValue = minValue;
    g.maxValue = maxValue;
    g.rulerWidth = width;
    g.margin = margin;
    return g;
}

} // namespace

TEST(RulerGeometry, TimeRulerAtZoom4MapsFourPixelsToEachSecond) {
    const RulerGeometry g = Ruler(1, 10, 46);
    EXPECT_FLOAT_EQ(g.Scale(), 4.0F);
    for (int x = 3; x <= 6; ++x) {
        EXPECT_EQ(g.ValueAt(x), 1) << "x " << x;
    }
    EXPECT_EQ(g.ValueAt(7), 2);
    for (int x = 39; x <= 42; ++x) {
        EXPECT_EQ(g.ValueAt(x), 10) << "x " << x;
    }
    EXPECT_EQ(g.ValueAt(43), 11);
    EXPECT_EQ(g.ValueAt(2), 0);
    // Value 1 with hotspot 7 is drawn at 3 + 2 - 7.
    EXPECT_EQ(g.DrawnX(1, 7), -2);
}

TEST(RulerGeometry, ScrollingShiftsTheMappingAndTheMarkers) {
    RulerGeometry g = Ruler(1, 100, 406);
    g.scrollOffset = 40;
    EXPECT_EQ(g.ValueAt(3), 11);
    EXPECT_EQ(g.DrawnX(11, 0), 3 + 42 - 40);
}

TEST(RulerGeometry, VolumeRulerReaches99ByPointer) {
    const RulerGeometry g = Ruler(1, 100, 100);
    EXPECT_FLOAT_EQ(g.Scale(), 0.94F);
    EXPECT_EQ(g.ValueAt(3), 1);
    EXPECT_EQ(g.ValueAt(96), 99);
    EXPECT_EQ(g.ValueAt(97), 101);
}

TEST(RulerGeometry, MarkerPositionIgnoresTheMinimum) {
    EXPECT_FLOAT_EQ(Ruler(1, 10, 46).MarkerPosition(5, 0), 18.0F);
    EXPECT_FLOAT_EQ(Ruler(5, 14, 46).MarkerPosition(5, 0), 18.0F);
}

TEST(RulerGeometry, ARulerWithoutWidthOrValuesMapsEverythingBelowItsRange) {
    EXPECT_EQ(Ruler(1, 10, 6).ValueAt(3), 0);
    EXPECT_EQ(Ruler(1, 10, 0).ValueAt(3), 0);
    EXPECT_EQ(Ruler(1, 0, 46).ValueAt(3), 0);
    EXPECT_EQ(Ruler(1, 0, 46).DrawnX(1, 0), 3);
    EXPECT_EQ(Ruler(1, 2, 2000000000, 0).DrawnX(2000000000, 0), INT32_MAX);
}

TEST(RulerGeometry, LabelsAreMinutesAndSecondsWithoutPadding) {
    EXPECT_EQ(RulerGeometry::Label(0), "0:0");
    EXPECT_EQ(RulerGeometry::Label(30), "0:30");
    EXPECT_EQ(RulerGeometry::Label(60), "1:0");
    EXPECT_EQ(RulerGeometry::Label(90), "1:30");
    EXPECT_EQ(RulerGeometry::Label(3725), "62:5");
}
