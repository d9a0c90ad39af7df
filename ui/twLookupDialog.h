// The "Lookup devices" progress dialog of the device search. Owned by the handler that
// searches (on its stack) for the length of one search.
//
// The finders block the user-interface thread for up to ten seconds and move the value only
// when they find a device. KeepAlive, called by the finder's wait callback at least every
// 100 ms, lets the toolkit paint and keeps the elapsed time ticking: the toolkit's own Update
// refreshes the times only once the value is above zero.
#pragma once

#include <wx/progdlg.h>

#include <cstdint>

class wxStaticText;

class twLookupDialog : public wxProgressDialog {
public:
    explicit twLookupDialog(wxWindow* parent);

    // Processes the pending paint and input events and brings the elapsed time up to date,
    // leaving the value where it is.
    void KeepAlive();

    // The finders' callbacks; `dialog` is the twLookupDialog. A value beyond the dialog's
    // range (a search with more than a hundred devices) shows as the full range.
    static void Progress(int32_t value, void* dialog);
    static void Waiting(void* dialog);

private:
    wxStaticText* elapsedTime = nullptr; // the toolkit's own label; null if not found
};
