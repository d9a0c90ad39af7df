// GoogleTest entry point for tests that need real windows: starts the toolkit on the display
// that ctest assigned (or $DISPLAY), runs the tests, then shuts the toolkit down.
#include "AssignedDisplay.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace {
// Exists only so that the toolkit can be started; the tests create their own windows.
class GuiTestApp : public wxApp {
public:
    bool OnInit() override {
        // As the program does: the icon is an ICO file, the pictures BMPs.
        wxInitAllImageHandlers();
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the binary without a display: answer it before starting the toolkit.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    twtest::UseAssignedDisplay();
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "GUI tests need a display (scripts/test starts Xvfb)\n");
        return 1;
    }
    // Errors go to stderr instead of modal boxes that would wait forever under Xvfb.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxTheApp->CallOnInit();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
