// The progress callback on a real progress dialog under Xvfb.
#include "ui/UpdateProgressDialog.h"
#include "import/ConverterRunner.h"
#include "platform/fake/ScriptedConsole.h"

#include <gtest/gtest.h>
#include <wx/progdlg.h>

namespace {

// Auto-hide as in the import: without it, reaching 100 waits for the user to close the dialog.
constexpr int style = wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | wxPD_SMOOTH;

TEST(UpdateProgressDialogTest, MovesTheDialogToTheValueAndPulsesForMinusOne) {
    wxProgressDialog dialog(L"Import", L"Importing media. Please wait...", 100, nullptr, style);
    UpdateProgressDialog(40, &dialog);
    EXPECT_EQ(dialog.GetValue(), 40);
    UpdateProgressDialog(-1, &dialog);
    EXPECT_EQ(dialog.GetMessage(), L"Importing media. Please wait...");
    UpdateProgressDialog(70, &dialog);
    EXPECT_EQ(dialog.GetValue(), 70);
    EXPECT_EQ(dialog.GetMessage(), L"Importing media. Please wait...");
}

TEST(UpdateProgressDialogTest, RunnerLeavesTheDialogAtItsEnd) {
    auto scripted = std::make_unique<ScriptedConsole>();
    HiddenConsole::Screen screen = ScriptedConsole::Blank();
    ScriptedConsole::Put(screen, 0, 0, "Duration: 00:00:10.00");
    ScriptedConsole::Put(screen, 1, 0, "time=00:00:03.00 ");
    scripted->screens = {screen};
    scripted->endingWait = 3;
    SetProcessConsole(std::move(scripted));

    wxProgressDialog dialog(L"Import", L"Importing media. Please wait...", 100, nullptr, style);
    ConverterRunner runner;
    EXPECT_TRUE(runner.Run(L" -i \"in.mp3\"", UpdateProgressDialog, &dialog));
    EXPECT_EQ(dialog.GetValue(), 100);
    SetProcessConsole(nullptr);
}

} // namespace
