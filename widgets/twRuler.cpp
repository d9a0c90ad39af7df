#include "widgets/twRuler.h"

#include "widgets/DesktopLook.h"
#include "widgets/LookPictures.h"
#include "widgets/SelfDrawnWindow.h"

#include <wx/dcbuffer.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>

namespace {

int BitmapWidth(const wxBitmap& bitmap) {
    return bitmap.IsOk() ? static_cast<int>(bitmap.GetLogicalWidth()) : 0;
}

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(twRuler, wxWindow)
    EVT_LEFT_DOWN(twRuler::OnLeftDown)
    EVT_LEFT_UP(twRuler::OnLeftUp)
    EVT_MOTION(twRuler::OnMotion)
    EVT_PAINT(twRuler::OnPaint)
    EVT_MOUSE_CAPTURE_LOST(twRuler::OnCaptureLost)
wxEND_EVENT_TABLE()
    // clang-format on

    twRuler::twRuler(wxWindow* parent, const wxString& name)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, name) {
    // The buffered paint context draws everything; the toolkit must not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    ShowFocusMark(this);
    SetBitmaps("images/rulerBck.bmp", "images/rulerStart.bmp", "images/rulerEnd.bmp", 0, 18);
}

twRuler::~twRuler() = default;

void twRuler::SetBitmaps(const wxString& background, const wxString& startMarker,
                         const wxString& endMarker, int32_t startHot, int32_t endHot) {
    const auto load = [this](const wxString& path, bool masked) {
        return std::make_unique<wxBitmap>(LookBitmapFor(path, masked, this));
    };
    backgroundBitmap = load(background, false);
    startBitmap = load(startMarker, true);
    endBitmap = load(endMarker, true);
    startHotspot = startHot;
    endHotspot = endHot;
}

RulerGeometry twRuler::Geometry() const {
    RulerGeometry g;
    g.minValue = minValue;
    g.maxValue = maxValue;
    g.rulerWidth = rulerWidth;
    g.margin = margin;
    g.scrollOffset = scrollOffset;
    return g;
}

int32_t twRuler::HitTest(int32_t x) {
    const RulerGeometry g = Geometry();
    // Positions are compared without the margin: the hit zone reaches margin + grab pixels
    // left of the drawn bitmap and grab - margin pixels right of it.
    const float px = static_cast<float>(x + scrollOffset);
    const float p1 = g.MarkerPosition(startValue, startHotspot);
    const float p2 = g.MarkerPosition(endValue, endHotspot);
    const bool hit1 = p1 - static_cast<float>(startGrabLeft) <= px &&
                      px <= p1 + static_cast<float>(startGrabRight + BitmapWidth(*startBitmap));
    const bool hit2 = p2 - static_cast<float>(endGrabLeft) <= px &&
                      px <= p2 + static_cast<float>(endGrabRight + BitmapWidth(*endBitmap));
    int32_t result = 0;
    if (hit1 && hit2) {
        result = lastMarker == 1 ? 2 : 1;
    } else if (hit1) {
        result = 1;
    } else if (hit2) {
        result = 2;
    }
    if (result != 0 && dragMarker == 0) {
        lastMarker = result;
    }
    return result;
}

int32_t twRuler::LayoutX(const wxMouseEvent& event) const {
    return static_cast<int32_t>(std::floor(event.GetX() / DesktopLook::Get().textScale));
}

void twRuler::OnLeftDown(wxMouseEvent& event) {
    dragMarker = HitTest(LayoutX(event));
    if (dragMarker != 0 && !HasCapture()) {
        CaptureMouse();
    }
    event.Skip();
}

void twRuler::OnMotion(wxMouseEvent& event) {
    const int32_t x = LayoutX(event);
    if (dragMarker != 0) {
        DragTo(dragMarker, Geometry().ValueAt(x));
    }
    if (HitTest(x) == 0 && dragMarker == 0) {
        SetCursor(wxNullCursor);
    } else {
        SetCursor(wxCursor(wxCURSOR_SIZEWE));
    }
    event.Skip();
}

void twRuler::EndDrag() {
    ReportRelease(dragMarker);
    dragMarker = 0;
}

void twRuler::ReportRelease(int32_t marker) {
    if (onRelease != nullptr && marker == 1) {
        onRelease(1, startValue, releaseUserData);
    } else if (onRelease != nullptr && marker == 2) {
        onRelease(2, endValue, releaseUserData);
    }
}

bool twRuler::Nudge(int32_t marker, int32_t step) {
    const int32_t from = marker == 1 ? startValue.load() : endValue.load();
    return DragAndRelease(marker, from + step);
}

bool twRuler::MoveToEnd(int32_t marker, bool upper) {
    if (marker == 1) {
        return DragAndRelease(1, upper ? std::min<int32_t>(maxValue, endValue) : minValue);
    }
    return DragAndRelease(marker, upper ? maxValue : std::max<int32_t>(minValue, startValue));
}

bool twRuler::DragAndRelease(int32_t marker, int32_t v) {
    if ((marker != 1 && marker != 2) || !DragTo(marker, v)) {
        return false;
    }
    ReportRelease(marker);
    return true;
}

void twRuler::OnLeftUp(wxMouseEvent& event) {
    EndDrag();
    if (HasCapture()) {
        ReleaseMouse();
    }
    event.Skip();
}

// The system took the mouse away mid-drag (another window grabbed it): the drag ends where
// the marker stands, reported like a release so that the owner's state stays consistent.
// Not skipped: the toolkit insists that a window holding the capture handles its loss.
void twRuler::OnCaptureLost(wxMouseCaptureLostEvent&) {
    EndDrag();
}

void twRuler::Draw(wxDC& dc, const wxSize& client) const {
    const RulerGeometry g = Geometry();
    const int w = BitmapWidth(*backgroundBitmap);
    const int h =
        backgroundBitmap->IsOk() ? static_cast<int>(backgroundBitmap->GetLogicalHeight()) : 0;
    if (w > 0 && h > 0) {
        for (int c = 0; c <= rulerWidth / w; ++c) {
            for (int r = 0; r <= rulerHeight / h; ++r) {
                dc.DrawBitmap(*backgroundBitmap, c * w, r * h, false);
            }
        }
    }

    dc.SetPen(*wxBLACK_PEN);
    dc.SetTextForeground(*wxBLACK);
    dc.SetTextBackground(*wxBLACK);
    const int tickStep = pixelsPerSecond * labelStep;
    if (showLabels && pixelsPerSecond > 0 && tickStep > 0) {
        wxGraphicsContext* gc = dc.GetGraphicsContext();
        for (int t = margin; t < rulerWidth - margin; t += tickStep) {
            const int x = t - scrollOffset;
            // Ticks cover whole pixels, rows 0 to 17; the labels keep their smoothing.
            if (gc != nullptr) {
                gc->SetAntialiasMode(wxANTIALIAS_NONE);
            }
            dc.DrawLine(x, 0, x, 18);
            if (gc != nullptr) {
                gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
            }
            const wxString label = RulerGeometry::Label((t - margin) / pixelsPerSecond);
            dc.DrawText(label, x - dc.GetTextExtent(label).x - 1, 0);
        }
    }

    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, margin, rulerHeight);
    dc.DrawRectangle(rulerWidth - margin, 0, margin, rulerHeight);

    const auto drawStart = [&] {
        if (startBitmap->IsOk()) {
            dc.DrawBitmap(*startBitmap, g.DrawnX(startValue, startHotspot), 0, true);
        }
    };
    const auto drawEnd = [&] {
        if (endBitmap->IsOk()) {
            dc.DrawBitmap(*endBitmap, g.DrawnX(endValue, endHotspot), 0, true);
        }
    };
    if (lastMarker == 2) {
        drawStart();
        drawEnd();
    } else {
        drawEnd();
        drawStart();
    }

    if (rulerWidth < client.x) {
        dc.DrawRectangle(rulerWidth, 0, client.x - rulerWidth, client.y);
    }
}

void twRuler::OnPaint(wxPaintEvent& event) {
    wxBufferedPaintDC dc(this);
    PaintScaled(dc, this, [this, &dc](const wxSize& client) { Draw(dc, client); });
    event.Skip();
}
