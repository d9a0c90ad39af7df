#include "EventPump.h"
#include "RulerMouse.h"
#include "WidgetPictures.h"
#include "widgets/twRuler.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/log.h>

#include <tuple>
#include <vector>

using twtest::kBlack;
using twtest::kWhite;
using twtest::PixelIs;

namespace {

// What the ruler reported, in order.
struct Reports {
    std::vector<std::tuple<int, int, int>> changes;
    std::vector<std::pair<int, int>> releases;

    static void Change(int32_t marker, int32_t value, int32_t old, void* self) {
        static_cast<Reports*>(self)->changes.emplace_back(marker, value, old);
    }
    static void Release(int32_t marker, int32_t value, void* self) {
        static_cast<Reports*>(self)->releases.emplace_back(marker, value);
    }
};

using Change = std::tuple<int, int, int>;

class RulerTest : public ::testing::Test {
protected:
    RulerTest() : frame(new wxFrame(nullptr, wxID_ANY, "ruler", wxPoint(0, 0), wxSize(600, 100))) {
        ruler = new twRuler(frame, "panel");
        ruler->SetSize(0, 0, 500, 18);
        frame->Show();
        twtest::PumpEvents(50);
    }
    ~RulerTest() override { frame->Destroy(); }

    // A time ruler (cut ruler pictures) over `seconds` at `zoom` pixels per second.
    void TimeRuler(int seconds, int zoom, int start, int end) {
        ruler->SetRange(1, seconds);
        ruler->SetValues(start, end);
        ruler->rulerWidth = zoom * seconds + 2 * ruler->margin;
        ruler->rulerHeight = 18;
        Listen();
    }

    void Listen() {
        ruler->onChange = Reports::Change;
        ruler->onRelease = Reports::Release;
        ruler->changeUserData = &reports;
        ruler->releaseUserData = &reports;
    }

    // Sends a mouse event through the ruler's event table.
    void Mouse(wxEventType type, int x) { twtest::RulerMouse(ruler, type, x); }
    void Drag(int from, std::initializer_list<int> through) {
        Mouse(wxEVT_LEFT_DOWN, from);
        for (int x : through) {
            Mouse(wxEVT_MOTION, x);
        }
        Mouse(wxEVT_LEFT_UP, through.size() == 0 ? from : *(through.end() - 1));
    }

    wxImage Paint(int width) {
        return twtest::Render(width, 18,
                              [this, width](wxDC& dc) { ruler->Draw(dc, wxSize(width, 18)); });
    }

    twtest::ImagesFolder images;
    wxFrame* frame;
    twRuler* ruler;
    Reports reports;
};

} // namespace

TEST_F(RulerTest, DraggingMarker1StaysInTheRangeAndMayMeetButNotPassMarker2) {
    TimeRuler(10, 4, 1, 8);
    // Marker 1 (hotspot 0) spans window x 5 to 22; x 5 maps to value 1.
    Drag(5, {15, 31, 35, 43, 2});
    EXPECT_EQ(ruler->startValue, 8);
    EXPECT_EQ(ruler->endValue, 8);
    // x 15 maps to 4, x 31 to 8 (onto marker 2); 9 (x 35), 11 (x 43) and 0 (x 2) are refused.
    EXPECT_EQ(reports.changes, (std::vector<Change>{{1, 4, 1}, {1, 8, 4}}));
    EXPECT_EQ(reports.releases, (std::vector<std::pair<int, int>>{{1, 8}}));
    EXPECT_EQ(ruler->dragMarker, 0);
}

TEST_F(RulerTest, DraggingMarker2StopsAtMarker1AndAtTheRangesEnd) {
    TimeRuler(10, 4, 3, 8);
    // Marker 2 (hotspot 18) is drawn from x 15 to 32 and grabbed up to x 33; marker 1's zone
    // ends at x 31.
    Drag(33, {42, 43, 6, 11, 14});
    EXPECT_EQ(ruler->startValue, 3);
    EXPECT_EQ(ruler->endValue, 3);
    // 10 (x 42) accepted, 11 (x 43) refused, 1 (x 6) refused, 3 (x 11) accepted, then x 14
    // maps to 3 again and reports nothing.
    EXPECT_EQ(reports.changes, (std::vector<Change>{{2, 10, 8}, {2, 3, 10}}));
    EXPECT_EQ(reports.releases, (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST_F(RulerTest, VolumeRulerIsDraggedOverOneTo99) {
    ruler->SetBitmaps("images/rulerVolumeBck.bmp", "images/rulerVolume.bmp",
                      "images/rulerVolume.bmp", 3, 3);
    ruler->SetRange(1, 100);
    ruler->SetValues(100, 200);
    ruler->rulerWidth = 100;
    ruler->rulerHeight = 18;
    Listen();
    Drag(93, {96, 97});
    EXPECT_EQ(ruler->startValue, 99);
    Drag(92, {3});
    EXPECT_EQ(ruler->startValue, 1);
    EXPECT_EQ(reports.changes, (std::vector<Change>{{1, 99, 100}, {1, 1, 99}}));
}

TEST_F(RulerTest, OverlappingMarkersArePickedInTurn) {
    ruler->SetBitmaps("images/rulerBck.bmp", "images/rulerSingle.bmp", "images/rulerSingle.bmp", 7,
                      7);
    TimeRuler(10, 4, 5, 5);
    EXPECT_EQ(ruler->lastMarker, 2);
    EXPECT_EQ(ruler->HitTest(20), 1);
    EXPECT_EQ(ruler->HitTest(20), 2);
    EXPECT_EQ(ruler->HitTest(20), 1);
    EXPECT_EQ(ruler->HitTest(100), 0);
    EXPECT_EQ(ruler->lastMarker, 1) << "a miss leaves lastMarker alone";
    // The press picks the marker that isn't lastMarker, and during the drag it stays put.
    Mouse(wxEVT_LEFT_DOWN, 20);
    EXPECT_EQ(ruler->dragMarker, 2);
    EXPECT_EQ(ruler->HitTest(20), 1);
    EXPECT_EQ(ruler->lastMarker, 2);
    Mouse(wxEVT_MOTION, 30);
    Mouse(wxEVT_LEFT_UP, 30);
    EXPECT_EQ(ruler->startValue, 5);
    EXPECT_EQ(ruler->endValue, 7);
}

// A change handler that, like the editor's, moves the ruler's end when its start moves.
struct Pusher {
    twRuler* ruler;
    Reports* reports;
    int32_t push;
    static void Change(int32_t marker, int32_t value, int32_t old, void* self) {
        auto* p = static_cast<Pusher*>(self);
        Reports::Change(marker, value, old, p->reports);
        if (marker == 1) {
            p->ruler->SetValues(p->ruler->startValue, p->ruler->endValue + p->push);
        }
    }
};

TEST_F(RulerTest, SetValuesReportsMarker1ThenMarker2AndSeesAnEndMovedByTheFirstReport) {
    TimeRuler(100, 4, 1, 10);
    ruler->SetValues(2, 11);
    EXPECT_EQ(reports.changes, (std::vector<Change>{{1, 2, 1}, {2, 11, 10}}));

    reports.changes.clear();
    ruler->SetValues(2, 11);
    ruler->SetValues(12, 11);
    EXPECT_TRUE(reports.changes.empty()) << "no change, and start after end, report nothing";
    EXPECT_EQ(ruler->startValue, 2);

    Pusher pusher{ruler, &reports, 5};
    ruler->onChange = Pusher::Change;
    ruler->changeUserData = &pusher;
    ruler->SetValues(3, 11);
    // The nested call reports the end itself; the outer call, reading the end again, too.
    EXPECT_EQ(reports.changes, (std::vector<Change>{{1, 3, 2}, {2, 16, 11}, {2, 16, 11}}));
    EXPECT_EQ(ruler->endValue, 16);
}

TEST_F(RulerTest, ADragWhoseReportMovesTheEndReportsTheEndAfterwards) {
    TimeRuler(10, 4, 1, 8);
    Pusher pusher{ruler, &reports, 1};
    ruler->onChange = Pusher::Change;
    ruler->changeUserData = &pusher;
    Drag(5, {15});
    // The handler's own SetValues reports 9, and the drag, reading the end again, too.
    EXPECT_EQ(reports.changes, (std::vector<Change>{{1, 4, 1}, {2, 9, 8}, {2, 9, 8}}));
}

TEST_F(RulerTest, TheMouseIsHeldFromAPressOnAMarkerUntilAnyRelease) {
    TimeRuler(10, 4, 1, 8);
    Mouse(wxEVT_LEFT_DOWN, 5);
    EXPECT_TRUE(ruler->HasCapture());
    Mouse(wxEVT_LEFT_UP, 5);
    EXPECT_FALSE(ruler->HasCapture());

    Mouse(wxEVT_LEFT_DOWN, 300);
    EXPECT_FALSE(ruler->HasCapture()) << "a press on no marker holds nothing";
    // A release without a press on a marker reports nothing but still frees the mouse.
    ruler->CaptureMouse();
    Mouse(wxEVT_LEFT_UP, 300);
    EXPECT_FALSE(ruler->HasCapture());
    EXPECT_EQ(reports.releases.size(), 1U);
}

TEST_F(RulerTest, PointerOverAMarkerShowsTheResizeCursor) {
    TimeRuler(10, 4, 1, 8);
    Mouse(wxEVT_MOTION, 10);
    EXPECT_TRUE(ruler->GetCursor().IsOk());
    Mouse(wxEVT_MOTION, 300);
    EXPECT_FALSE(ruler->GetCursor().IsOk());
}

TEST_F(RulerTest, PaintsBackgroundMarginsAndMaskedMarkers) {
    TimeRuler(10, 4, 1, 10);
    const wxImage shown = Paint(60);
    const std::string name = "ruler";
    EXPECT_TRUE(PixelIs(shown, 1, 9, kWhite, name)) << "left margin";
    EXPECT_TRUE(PixelIs(shown, 4, 9, twtest::kBackgroundColour, name));
    // Marker 1 at value 1, hotspot 0: x 5 to 22; its white top row lets the background through.
    EXPECT_TRUE(PixelIs(shown, 5, 9, twtest::kStartColour, name));
    EXPECT_TRUE(PixelIs(shown, 10, 0, twtest::kBackgroundColour, name));
    EXPECT_TRUE(PixelIs(shown, 22, 9, twtest::kStartColour, name));
    // Marker 2 at value 10, hotspot 18: x 23 to 40.
    EXPECT_TRUE(PixelIs(shown, 23, 9, twtest::kEndColour, name));
    EXPECT_TRUE(PixelIs(shown, 40, 9, twtest::kEndColour, name));
    EXPECT_TRUE(PixelIs(shown, 42, 9, twtest::kBackgroundColour, name));
    EXPECT_TRUE(PixelIs(shown, 43, 9, kWhite, name)) << "right margin";
    EXPECT_TRUE(PixelIs(shown, 59, 9, kWhite, name)) << "beyond the ruler's width";
}

TEST_F(RulerTest, TheLastPickedMarkerIsDrawnOnTop) {
    TimeRuler(10, 4, 5, 6);
    // Marker 1 spans x 21 to 38, marker 2 x 7 to 24.
    EXPECT_TRUE(PixelIs(Paint(60), 22, 9, twtest::kEndColour, "on-top-2"));
    ruler->lastMarker = 1;
    EXPECT_TRUE(PixelIs(Paint(60), 22, 9, twtest::kStartColour, "on-top-1"));
}

TEST_F(RulerTest, ASingleMarkerRulerDrawsItsMarkerOverTheMarginAndHidesTheParkedOne) {
    ruler->SetBitmaps("images/rulerBck.bmp", "images/rulerSingleUP.bmp", "images/rulerSingleUP.bmp",
                      7, 7);
    TimeRuler(10, 4, 1, 110);
    const wxImage shown = Paint(500);
    // Value 1, hotspot 7: drawn at 3 + 2 - 7 = -2, over the white margin.
    EXPECT_TRUE(PixelIs(shown, 0, 9, twtest::kSingleColour, "parked"));
    EXPECT_TRUE(PixelIs(shown, 12, 9, twtest::kSingleColour, "parked"));
    EXPECT_TRUE(PixelIs(shown, 13, 9, twtest::kBackgroundColour, "parked"));
    // The end value 110 would draw at x 434: the white fill right of the ruler covers it.
    EXPECT_TRUE(PixelIs(shown, 440, 9, kWhite, "parked"));
}

TEST_F(RulerTest, LabelsStandLeftOfTicksEvery30Seconds) {
    // Markers at x 201 to 218 and 383 to 400, clear of the ticks.
    TimeRuler(100, 4, 50, 100);
    ruler->showLabels = true;
    ruler->pixelsPerSecond = 4;
    ruler->labelStep = 30;
    const wxImage shown = Paint(420);
    for (int tick : {3, 123, 243, 363}) {
        for (int y = 0; y < 18; ++y) {
            EXPECT_TRUE(PixelIs(shown, tick, y, kBlack, "labels")) << "tick " << tick;
        }
    }
    EXPECT_TRUE(PixelIs(shown, 124, 9, twtest::kBackgroundColour, "labels"));
    EXPECT_TRUE(PixelIs(shown, 122, 9, twtest::kBackgroundColour, "labels"))
        << "a label ends one pixel left of its tick";
    // Each label is the text as the toolkit draws it, ending at tick - 2.
    for (const auto& label :
         {std::pair{123, "0:30"}, std::pair{243, "1:0"}, std::pair{363, "1:30"}}) {
        const int tick = label.first;
        const wxString text = label.second;
        wxSize extent;
        const wxImage alone = twtest::Render(60, 18, [&](wxDC& dc) {
            dc.SetBackground(wxBrush(twtest::kBackgroundColour));
            dc.Clear();
            dc.SetTextForeground(*wxBLACK);
            extent = dc.GetTextExtent(text);
            dc.DrawText(text, 0, 0);
        });
        ASSERT_GT(extent.x, 0);
        int differing = 0;
        int inked = 0;
        for (int x = 0; x < extent.x; ++x) {
            for (int y = 0; y < 18; ++y) {
                const int sx = tick - extent.x - 1 + x;
                differing += alone.GetRed(x, y) != shown.GetRed(sx, y) ||
                             alone.GetGreen(x, y) != shown.GetGreen(sx, y);
                inked += alone.GetRed(x, y) < 100;
            }
        }
        EXPECT_GT(inked, 0) << text;
        EXPECT_EQ(differing, 0) << text << "; picture kept at " << twtest::Keep(shown, "labels");
    }
}

TEST_F(RulerTest, AMissingBackgroundPictureIsSkipped) {
    images.Remove("rulerBck.bmp");
    twRuler* bare = nullptr;
    {
        const wxLogNull expectedLoadError;
        bare = new twRuler(frame, "panel");
    }
    EXPECT_FALSE(bare->backgroundBitmap->IsOk());
    bare->SetRange(1, 10);
    bare->SetValues(1, 10);
    bare->rulerWidth = 46;
    bare->rulerHeight = 18;
    const wxImage shown =
        twtest::Render(60, 18, [bare](wxDC& dc) { bare->Draw(dc, wxSize(60, 18)); });
    EXPECT_TRUE(PixelIs(shown, 10, 9, twtest::kStartColour, "no-background"));
    EXPECT_TRUE(PixelIs(shown, 1, 9, kWhite, "no-background"));
}
