// Started outside its working folder, the program says in one message where that folder is and
// how to start it there, then ends without a console or a window.
#include "app/WorkingFolder.h"
#include "app/twApp.h"

#include "TempDir.h"
#include "platform/fake/ScriptedConsole.h"
#include "widgets/MessageDialog.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/testing.h>

namespace {

// Answers the message with OK after keeping its text.
class ExpectMessage : public wxExpectModal<wxMessageDialog> {
public:
    explicit ExpectMessage(wxString& shown)
        : wxExpectModal<wxMessageDialog>(wxID_OK), text(shown) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        text = dialog->GetMessage();
        return wxID_OK;
    }

private:
    wxString& text;
};

} // namespace

TEST(WorkingFolder, startingElsewhereSaysWhereToStartAndEndsWithoutAWindow) {
    EXPECT_EQ(OutsideWorkingFolderMessage(ExpectedWorkingFolder("/opt/tw/build/tonewick")),
              "Tonewick was started outside its working folder and can't find its pictures.\n\n"
              "It expects to run in /opt/tw/build/run, which holds its pictures, its help and its "
              "temp folder.\n\n"
              "Start it with scripts/run from its source folder, or with its launcher; both "
              "start it there.");

    const size_t windows = wxTopLevelWindows.GetCount();
    const std::filesystem::path here = std::filesystem::current_path();
    twtest::TempDir elsewhere;
    std::filesystem::current_path(elsewhere.Path());
    bool started = true;
    bool consoleMade = false;
    wxString shown;
    wxTEST_DIALOG(started = twApp::StartUp([&] {
                      consoleMade = true;
                      return std::unique_ptr<HiddenConsole>(std::make_unique<ScriptedConsole>());
                  }),
                  ExpectMessage(shown));
    std::filesystem::current_path(here);

    EXPECT_FALSE(started);
    EXPECT_FALSE(consoleMade);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), windows);
    const std::filesystem::path program(wxStandardPaths::Get().GetExecutablePath().ToStdString());
    EXPECT_EQ(shown, WrapMessage(OutsideWorkingFolderMessage(ExpectedWorkingFolder(program))));
}
