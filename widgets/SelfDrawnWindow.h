// What the editor's self-drawn windows (the rulers and the waveform) share: they draw in layout
// pixels, scaled to the desktop's text scale, and show a focus mark while they have the
// keyboard. Free functions over the window; user-interface thread only.
#pragma once

#include <wx/gdicmn.h>

#include <functional>

class wxDC;
class wxWindow;

// Repaints the window whenever it gains or loses the keyboard, so that its mark follows.
void ShowFocusMark(wxWindow* window);

// Runs draw with the device context scaled by the text scale (its fonts kept at their size)
// and the window's client size in layout pixels; then, while the window has the keyboard,
// draws a dotted frame just inside its edges.
void PaintScaled(wxDC& dc, const wxWindow* window, const std::function<void(const wxSize&)>& draw);
