// The control that holds the keyboard in a top-level window. The toolkit's FindFocus misses
// the controls of which GTK focuses a part: a choice reached with Tab focuses the button inside
// it, a radio box one of its items. Those are found as the window whose GTK widget holds GTK's
// focus widget. User-interface thread only.
#pragma once

class wxWindow;

// Null when nothing in the window has the keyboard.
wxWindow* KeyboardFocus(wxWindow* topLevel);
