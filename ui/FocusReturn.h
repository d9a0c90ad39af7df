// Gives the keyboard back to the main window when a dialog it opened has closed. GTK leaves the
// focus nowhere when a modal dialog goes (and without a window manager the main window is not
// even active again), so that no key works until the user clicks. The focus goes to the control
// that had it, or, when that one can't take it any more (hidden, disabled, gone), to the control
// of the user's next step. A command makes one before it opens its dialogs; the focus returns
// when it goes out of scope. User-interface thread only; the window outlives it.
#pragma once

#include <wx/weakref.h>
#include <wx/window.h>

class wxTopLevelWindow;

class FocusReturn {
public:
    FocusReturn(wxTopLevelWindow& window, wxWindow* next);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

    // Activates the window and focuses `had`, or `next` when `had` can't take the focus.
    static void Give(wxTopLevelWindow& window, wxWindow* had, wxWindow* next);

private:
    wxTopLevelWindow& window;
    wxWeakRef<wxWindow> had;
    wxWeakRef<wxWindow> next;
};
