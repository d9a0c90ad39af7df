// The start-up floor: the toolkit's own empty frame, of our window's title and size.
#include <wx/app.h>
#include <wx/frame.h>

namespace {
class BareApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame =
            new wxFrame(nullptr, wxID_ANY, "Tonewick", wxDefaultPosition, wxSize(520, 580));
        frame->Show();
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP(BareApp);
