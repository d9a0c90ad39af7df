// The start-up floor: the toolkit's own empty frame, of our window's title and size.
#include <wx/app.h>
#include <wx/frame.h>

#include <cstdlib>

namespace {
class BareApp : public wxApp {
public:
    // The same toolkit setting the program makes, so the floor differs only in our own work.
    BareApp() { setenv("GDK_GL", "disable", 0); }

    bool OnInit() override {
        auto* frame =
            new wxFrame(nullptr, wxID_ANY, "Tonewick", wxDefaultPosition, wxSize(520, 580));
        frame->Show();
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP(BareApp);
