#include "widgets/SelfDrawnWindow.h"

#include "widgets/DesktopLook.h"

#include <wx/dc.h>
#include <wx/pen.h>
#include <wx/window.h>

#include <cmath>

void ShowFocusMark(wxWindow* window) {
    const auto repaint = [window](wxFocusEvent& event) {
        window->Refresh(false);
        event.Skip();
    };
    window->Bind(wxEVT_SET_FOCUS, repaint);
    window->Bind(wxEVT_KILL_FOCUS, repaint);
}

void PaintScaled(wxDC& dc, const wxWindow* window, const std::function<void(const wxSize&)>& draw) {
    const double scale = DesktopLook::Get().textScale;
    const wxSize client = window->GetClientSize();
    if (scale != 1.0) {
        dc.SetUserScale(scale, scale);
        dc.SetFont(window->GetFont().Scaled(static_cast<float>(1.0 / scale)));
    }
    draw(wxSize(static_cast<int>(std::ceil(client.x / scale)),
                static_cast<int>(std::ceil(client.y / scale))));
    dc.SetUserScale(1.0, 1.0);
    if (window->HasFocus()) {
        // Black and white dots, seen on the light strips and on the waveform's colours alike.
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(*wxWHITE, 1));
        dc.DrawRectangle(0, 0, client.x, client.y);
        dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_DOT));
        dc.DrawRectangle(0, 0, client.x, client.y);
    }
}
