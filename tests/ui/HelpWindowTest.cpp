// The help window as it opens: no GTK complaint about widgets laid out at a negative size, and
// the size the pages were written for. GTK writes its complaints to standard error, which the
// test reads back from a file it points the descriptor to while the window opens.
#include "ui/twUserInterface.h"

#include "EventPump.h"
#include "FileContents.h"
#include "MainWindow.h"
#include "TempDir.h"
#include "ui/twHelpController.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

// What the action wrote to standard error, which points to a file meanwhile.
std::string StandardErrorOf(const std::filesystem::path& file,
                            const std::function<void()>& action) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDERR_FILENO);
    close(fd);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    return twtest::Contents(file);
}

} // namespace

TEST(HelpWindow, opensWithoutGtkComplaintsAtItsOwnSize) {
    const twtest::MainWindow window;
    twUserInterface* ui = window.ui;
    const size_t before = wxTopLevelWindows.GetCount();
    twtest::TempDir dir;
    const std::string complaints = StandardErrorOf(dir.Path() / "stderr.txt", [&] {
        wxCommandEvent press;
        ui->OnHelp(press);
        EXPECT_TRUE(twtest::PumpUntil([&] { return wxTopLevelWindows.GetCount() > before; }));
        twtest::PumpEvents(300);
    });
    EXPECT_EQ(complaints.find("CRITICAL"), std::string::npos) << complaints;
    ASSERT_GT(wxTopLevelWindows.GetCount(), before);
    EXPECT_EQ(wxTopLevelWindows.back()->GetSize(), wxSize(760, 560));
}
