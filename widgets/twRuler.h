// A horizontal strip that maps a range of whole numbers onto its width and carries two markers
// the user drags with the left button: marker 1 holds startValue, marker 2 endValue. The
// markers can meet but never cross and never leave the range; every value change and release
// is reported through plain-function callbacks with the owner's user data, always
// synchronously on the user-interface thread. Optionally shows minute:second tick labels.
// Owned by its parent window; owns its three bitmaps (which own their masks). Never refreshes
// itself: the owner's callbacks call Refresh.
#pragma once

#include "widgets/RulerGeometry.h"
#include "widgets/RulerValues.h"

#include <wx/bitmap.h>
#include <wx/window.h>

#include <cstdint>
#include <memory>

class wxDC;

// marker is 1 or 2. Results are ignored.
using RulerPressFn = void (*)(int32_t marker, int32_t value, void* userData);

// The values, the range, onChange and its user data, SetRange and SetValues come from
// RulerValues.
class twRuler : public wxWindow, public RulerValues {
public:
    // Loads the default pictures from "images/" below the working directory.
    twRuler(wxWindow* parent, const wxString& name);
    ~twRuler() override;

    // Loads three BMP files relative to the working directory, replacing the bitmaps held;
    // white pixels of the two markers are transparent. A file that can't be loaded leaves an
    // invalid bitmap, which draws nothing. The bitmaps are the drawings for the ruler's pixels
    // (LookBitmapFor); their logical sizes are the 1x pictures'.
    void SetBitmaps(const wxString& background, const wxString& startMarker,
                    const wxString& endMarker, int32_t startHot, int32_t endHot);
    // 0, 1 or 2: the marker under window x. Over two overlapping markers it picks the one that
    // is not lastMarker, and outside a drag every non-zero result becomes lastMarker.
    int32_t HitTest(int32_t x);
    // Moves marker 1 or 2 by step values as a drag that ends there would: refused (false,
    // nothing reported) where the drag would be refused, otherwise reported as the drag's
    // change and then as its release. The keyboard moves markers through this.
    bool Nudge(int32_t marker, int32_t step);
    // Moves marker 1 or 2 as Nudge does, to the range's minimum or maximum, or as close to it
    // as the other marker lets it. A drag can't be relied on to get there: the pointer maps past
    // the range before it reaches the last value, and a fast one jumps over it.
    bool MoveToEnd(int32_t marker, bool upper);

    // Paints the ruler on any device context whose drawable area is `client`, in layout
    // pixels; OnPaint hands it the buffered paint context scaled by the desktop's text scale,
    // with a focus mark over it while the ruler has the keyboard, tests an offscreen bitmap.
    void Draw(wxDC& dc, const wxSize& client) const;
    // The ruler's mapping between values and window x for its current fields.
    RulerGeometry Geometry() const;

    int32_t dragMarker = 0;
    int32_t lastMarker = 2;
    int32_t scrollOffset = 0;
    int32_t startHotspot = 0;
    int32_t endHotspot = 18;
    int32_t startGrabLeft = 3;
    int32_t startGrabRight = 3;
    int32_t endGrabLeft = 3;
    int32_t endGrabRight = 3;
    int32_t margin = 3;
    int32_t rulerWidth = 0;
    int32_t rulerHeight = 0;
    std::unique_ptr<wxBitmap> backgroundBitmap;
    std::unique_ptr<wxBitmap> startBitmap;
    std::unique_ptr<wxBitmap> endBitmap;
    bool showLabels = false;
    // Must be positive when showLabels is set.
    int32_t pixelsPerSecond = 0;
    int32_t labelStep = 0;
    RulerPressFn onRelease = nullptr;
    void* releaseUserData = nullptr;

private:
    // The event's x in layout pixels: the ruler is drawn scaled by the desktop's text scale.
    int32_t LayoutX(const wxMouseEvent& event) const;
    void EndDrag();
    void ReportRelease(int32_t marker);
    bool DragAndRelease(int32_t marker, int32_t v);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
