// The help window as it opens: no GTK complaint about widgets laid out at a negative size, and
// the size the pages were written for. GTK writes its complaints to standard error, which the
// test reads back from a file it points the descriptor to while the window opens.
#include "ui/twUserInterface.h"

#include "EventPump.h"
#include "TempDir.h"
#include "ui/twHelpController.h"

#include <gtest/gtest.h>
#include <wx/toplevel.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

// Sends standard error to a file for its lifetime and gives back what was written.
class StandardErrorCapture {
public:
    explicit StandardErrorCapture(const std::filesystem::path& file) : path(file) {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDERR_FILENO);
        close(fd);
    }
    ~StandardErrorCapture() { Restore(); }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    std::string Text() {
        Restore();
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    void Restore() {
        if (saved >= 0) {
            std::fflush(stderr);
            dup2(saved, STDERR_FILENO);
            close(saved);
            saved = -1;
        }
    }
    std::filesystem::path path;
    int saved = -1;
};

wxTopLevelWindow* NewestTopLevelWindow() {
    return wxTopLevelWindows.empty() ? nullptr
                                     : static_cast<wxTopLevelWindow*>(wxTopLevelWindows.back());
}

} // namespace

TEST(HelpWindow, opensWithoutGtkComplaintsAtItsOwnSize) {
    auto* ui = new twUserInterface;
    ui->Show();
    twtest::PumpEvents(100);
    const size_t before = wxTopLevelWindows.GetCount();
    twtest::TempDir dir;
    std::string complaints;
    {
        StandardErrorCapture capture(dir.Path() / "stderr.txt");
        wxCommandEvent press;
        ui->OnHelp(press);
        EXPECT_TRUE(twtest::PumpUntil([&] { return wxTopLevelWindows.GetCount() > before; }));
        twtest::PumpEvents(300);
        complaints = capture.Text();
    }
    EXPECT_EQ(complaints.find("CRITICAL"), std::string::npos) << complaints;
    wxTopLevelWindow* help = NewestTopLevelWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetSize(), twHelpController::frameSize);
    ui->Destroy();
    twtest::PumpEvents(50);
}
