// Start-up: the console comes first, and without one no window is made; with one, the main
// window is shown centred on the screen.
#include "app/twApp.h"

#include "EventPump.h"
#include "platform/fake/ScriptedConsole.h"
#include "ui/twUserInterface.h"

#include <gtest/gtest.h>
#include <wx/display.h>

namespace {

size_t TopLevelCount() {
    return wxTopLevelWindows.GetCount();
}

} // namespace

TEST(StartUp, withoutAConsoleReturnsFalseAndMakesNoWindow) {
    const size_t before = TopLevelCount();
    EXPECT_FALSE(twApp::StartUp([] { return std::unique_ptr<HiddenConsole>(); }));
    EXPECT_EQ(TopLevelCount(), before);
    EXPECT_EQ(ProcessConsole(), nullptr);
}

TEST(StartUp, installsTheConsoleAndShowsTheMainWindowCentred) {
    auto console = std::make_unique<ScriptedConsole>();
    HiddenConsole* made = console.get();
    const size_t before = TopLevelCount();
    ASSERT_TRUE(twApp::StartUp([&] { return std::unique_ptr<HiddenConsole>(std::move(console)); }));
    EXPECT_EQ(ProcessConsole(), made);
    ASSERT_EQ(TopLevelCount(), before + 1);
    auto* frame = dynamic_cast<twUserInterface*>(wxTopLevelWindows.GetLast()->GetData());
    ASSERT_NE(frame, nullptr);
    twtest::PumpEvents(100);
    EXPECT_TRUE(frame->IsShown());
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxRect window = frame->GetRect();
    EXPECT_NEAR(window.GetLeft(), screen.GetRight() - window.GetRight(), 2);
    EXPECT_NEAR(window.GetTop(), screen.GetBottom() - window.GetBottom(), 2);

    // Closing the window ends the run; the console goes with the application's exit.
    frame->Close(true);
    EXPECT_TRUE(twtest::PumpUntil([&] { return TopLevelCount() == before; }));
    SetProcessConsole(nullptr);
}
