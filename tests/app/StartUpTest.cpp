// Start-up: the console comes first, and without one no window is made; with one, the main
// window is shown centred on the screen.
#include "app/twApp.h"

#include "EventPump.h"
#include "platform/fake/ScriptedConsole.h"
#include "text/Translation.h"
#include "ui/twUserInterface.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/display.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

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

// GTK's own dialogs speak the desktop's language once the program has taken it at start-up,
// as a plain GTK program's do (the toolkit alone keeps the C locale).
TEST(StartUp, gtksOwnFileChooserSpeaksTheDesktopsLanguage) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    UseDesktopLanguage(TW_BUILD_DIR "/tonewick");
    GtkWidget* chooser =
        gtk_file_chooser_dialog_new("", nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
    std::vector<GtkWidget*> widgets{chooser};
    bool recent = false;
    for (size_t i = 0; i < widgets.size(); ++i) {
        recent = recent ||
                 (GTK_IS_LABEL(widgets[i]) &&
                  std::string(gtk_label_get_text(GTK_LABEL(widgets[i]))) == "Zuletzt verwendet");
        if (GTK_IS_CONTAINER(widgets[i])) {
            gtk_container_forall(
                GTK_CONTAINER(widgets[i]),
                [](GtkWidget* child, gpointer found) {
                    static_cast<std::vector<GtkWidget*>*>(found)->push_back(child);
                },
                &widgets);
        }
    }
    EXPECT_TRUE(recent);
    gtk_widget_destroy(chooser);
    unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
}
