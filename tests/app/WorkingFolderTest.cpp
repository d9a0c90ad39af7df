// Started outside its working folder, the program says in one message where that folder is and
// how to start it there, then ends without a console or a window.
#include "app/WorkingFolder.h"
#include "app/twApp.h"

#include "TempDir.h"
#include "platform/fake/ScriptedConsole.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/testing.h>

#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

// Answers the message with OK after recording its text.
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

// Makes the current directory a given folder for the object's lifetime.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : previous(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path previous;
};

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "BM";
}

} // namespace

TEST(WorkingFolder, isRecognisedByTheFirstPictureTheWindowLoads) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> lay;
        bool expected;
    };
    const Case cases[] = {
        {"an empty folder", [](const fs::path&) {}, false},
        {"an empty images folder", [](const fs::path& f) { fs::create_directory(f / "images"); },
         false},
        {"images as a file", [](const fs::path& f) { Touch(f / "images"); }, false},
        {"the picture as a folder",
         [](const fs::path& f) { fs::create_directories(f / "images" / "select_media.bmp"); },
         false},
        {"the picture", [](const fs::path& f) { Touch(f / "images" / "select_media.bmp"); }, true},
    };
    for (const Case& c : cases) {
        twtest::TempDir dir;
        c.lay(dir.Path());
        EXPECT_EQ(IsWorkingFolder(dir.Path()), c.expected) << c.what;
    }
    EXPECT_TRUE(IsWorkingFolder(fs::current_path())) << "the tests run in the laid-out folder";
}

TEST(WorkingFolder, isExpectedBesideTheProgramAndNamedInTheMessage) {
    const fs::path expected = ExpectedWorkingFolder("/opt/tw/build/tonewick");
    EXPECT_EQ(expected, fs::path("/opt/tw/build/run"));
    EXPECT_EQ(OutsideWorkingFolderMessage(expected),
              "Tonewick was started outside its working folder and can't find its pictures.\n\n"
              "It expects to run in /opt/tw/build/run, which holds its pictures, its help and its "
              "temp folder.\n\n"
              "Start it with scripts/run from its source folder, or with its launcher; both "
              "start it there.");
}

TEST(WorkingFolder, startingElsewhereShowsTheMessageAndEndsWithoutAWindow) {
    const size_t before = wxTopLevelWindows.GetCount();
    const fs::path program(wxStandardPaths::Get().GetExecutablePath().ToStdString());
    twtest::TempDir elsewhere;
    bool started = true;
    bool consoleMade = false;
    wxString shown;
    {
        InFolder in(elsewhere.Path());
        wxTEST_DIALOG(started = twApp::StartUp([&] {
                          consoleMade = true;
                          return std::unique_ptr<HiddenConsole>(
                              std::make_unique<ScriptedConsole>());
                      }),
                      ExpectMessage(shown));
    }
    EXPECT_FALSE(started);
    EXPECT_FALSE(consoleMade);
    EXPECT_EQ(ProcessConsole(), nullptr);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), before);
    EXPECT_EQ(shown.ToStdString(), OutsideWorkingFolderMessage(ExpectedWorkingFolder(program)));
}
