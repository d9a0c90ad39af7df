// The help viewer behind the help button: the toolkit's HTML help controller, whose frame is
// given its size and its first layout before it is shown. Otherwise GTK allocates the pages of
// the frame's notebook with the placeholder sizes the toolkit creates them with (a 10 by 10
// contents tree) and complains about scroll bars of negative length. Escape closes the frame,
// and the main window then takes the keyboard back. Owned by the controller.
#pragma once

#include <wx/html/helpctrl.h>

class twHelpController : public wxHtmlHelpController {
public:
    explicit twHelpController(wxWindow* parent);

    // The frame's size: the toolkit's default is cramped for the pages.
    static const wxSize frameSize;

protected:
    wxHtmlHelpFrame* CreateHelpFrame(wxHtmlHelpData* data) override;
};
