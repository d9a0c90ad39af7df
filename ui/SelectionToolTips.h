// Tooltips that show a choice's selected item in full, above what the control is for: the send
// panel's choices are too narrow for long names ("Bluet…", "SonyEric…", a phone's long name).
// Follows the user's selections by itself; the toolkit reports no change the program makes to
// the items or the selection, so whoever makes one renews the tip.
// Owned by the main frame; the controls it follows live as long as the frame does.
#pragma once

#include <wx/string.h>

#include <vector>

class wxWindow;

class SelectionToolTips {
public:
    // control is a wxChoice or a wxRadioBox; tip says what it is for.
    void Follow(wxWindow* control, const wxString& tip);
    // Shows control's selection now, after the program changed its items or selection. A
    // `shown` text stands for the selection until the next renewal: the whole sentence behind
    // an item cut short to fit the control.
    void Renew(wxWindow* control, const wxString& shown = wxString());

private:
    struct Followed {
        wxWindow* control;
        wxString tip;
        wxString shown;
    };
    std::vector<Followed> followed;

    // The entry of a followed control, or none.
    Followed* Find(wxWindow* control);
    void Show(const Followed& f) const;
};
