#include "ui/twHelpController.h"

#include "ui/FocusReturn.h"
#include "widgets/KeyboardFocus.h"

#include <wx/bookctrl.h>
#include <wx/html/helpfrm.h>

namespace {

// Every page of every notebook below the window takes the notebook's size for its first
// layout; GTK then shrinks them to the page area, which only ever makes them smaller.
void LayOutPages(wxWindow* window) {
    if (auto* book = dynamic_cast<wxBookCtrlBase*>(window)) {
        for (size_t i = 0; i < book->GetPageCount(); ++i) {
            book->GetPage(i)->SetSize(book->GetSize());
            book->GetPage(i)->Layout();
        }
    }
    for (wxWindow* child : window->GetChildren()) {
        LayOutPages(child);
    }
}

} // namespace

const wxSize twHelpController::frameSize(760, 560);

twHelpController::twHelpController(wxWindow* parent)
    : wxHtmlHelpController(wxHF_DEFAULT_STYLE, parent) {
    SetTitleFormat(_("Help: %s"));
}

wxHtmlHelpFrame* twHelpController::CreateHelpFrame(wxHtmlHelpData* data) {
    wxHtmlHelpFrame* frame = wxHtmlHelpController::CreateHelpFrame(data);
    frame->Bind(wxEVT_CHAR_HOOK, [frame](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
            frame->Close();
        } else {
            event.Skip();
        }
    });
    // The main window takes the keyboard back where it was left.
    if (auto* main = dynamic_cast<wxTopLevelWindow*>(m_parentWindow)) {
        frame->Bind(wxEVT_CLOSE_WINDOW,
                    [main, had = wxWeakRef<wxWindow>(KeyboardFocus(main))](wxCloseEvent& event) {
                        event.Skip();
                        main->CallAfter([main, had] { FocusReturn::Give(*main, had, nullptr); });
                    });
    }
    frame->SetSize(frameSize);
    frame->Layout();
    LayOutPages(frame);
    return frame;
}
