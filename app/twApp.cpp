#include "app/twApp.h"

#include "app/WorkingFolder.h"
#include "platform/FailureLog.h"
#include "platform/linux/PtyConsole.h"
#include "text/Translation.h"
#include "text/Utf8Text.h"
#include "ui/MainWindowInput.h"
#include "ui/WindowLanguage.h"
#include "ui/twUserInterface.h"
#include "widgets/CheckMarkPictures.h"
#include "widgets/LookPictures.h"
#include "widgets/MessageDialog.h"
#include "widgets/ToolkitWarmUp.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <chrono>
#include <cstdlib>
#include <thread>

std::vector<std::string> twApp::rawArguments;

twApp::twApp() {
    // Nothing here draws with OpenGL, yet GTK would load a GL driver (with its compiler) at
    // start-up just to choose visuals: tens of megabytes and milliseconds for nothing. This
    // must be said before the toolkit opens the display, which happens after construction.
    setenv("GDK_GL", "disable", 0);
}

bool twApp::OnInit() {
    // After the toolkit has started, which would otherwise take the whole locale, numbers
    // included, for itself; GTK's own dialogs follow the language from here on.
    const std::filesystem::path program(wxStandardPaths::Get().GetExecutablePath().utf8_string());
    UseDesktopLanguage(program);
    UseWindowLanguage(CatalogueFolder(program));
    // The window's failures are written down where a user can find them for a report.
    LogFailuresToFile(FailureLogPath());
    if (!StartUp(CreatePtyConsole)) {
        return false;
    }
    if (argc > 1) {
        // The toolkit took none of the arguments for itself: the file name's own bytes can be
        // used, whatever the locale.
        const bool untouched = rawArguments.size() == static_cast<size_t>(argc);
        PickStartFile(untouched ? wxString(WideFromUtf8(rawArguments[1])) : argv[1]);
    }
    return true;
}

void twApp::PickStartFile(const wxString& name) {
    wxFileName path(name);
    path.MakeAbsolute();
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* frame = dynamic_cast<twUserInterface*>(window)) {
            MainWindowInput::PickMediaFile(*frame, path.GetFullPath());
            return;
        }
    }
}

bool twApp::StartUp(const ConsoleFactory& makeConsole) {
    // The wait comes before the console and the window. The toolkit spends it getting ready to
    // build the window, which shows nothing and leaves nothing behind but warm caches: the
    // window then appears sooner than the wait and its building would take one after the other.
    const auto waited = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    // The icon is an ICO file and the pictures are BMPs: the toolkit reads them through these.
    wxInitAllImageHandlers();
    // Before the warm-up, so that it readies the styles the window will use.
    UsePrerenderedCheckMarks();
    WarmUpToolkit();
    PreloadLookPictures("images");
    std::this_thread::sleep_until(waited);
    // Started elsewhere, the window would come up without its pictures: say where to start it.
    std::error_code error;
    if (!IsWorkingFolder(std::filesystem::current_path(error))) {
        const std::filesystem::path program(
            wxStandardPaths::Get().GetExecutablePath().ToStdString());
        ShowMessage(nullptr,
                    wxString::FromUTF8(OutsideWorkingFolderMessage(ExpectedWorkingFolder(program))),
                    wxS("Tonewick"), wxOK | wxICON_ERROR);
        return false;
    }
    std::unique_ptr<HiddenConsole> console = makeConsole();
    if (!console) {
        return false;
    }
    // The console is a pseudo-terminal of 80 by 25 that no window shows: there is no title to
    // set, no window to find or hide, and its size is fixed when it is made.
    SetProcessConsole(std::move(console));
    auto* frame = new twUserInterface;
    frame->CentreOnScreen(wxBOTH);
    frame->Show();
    return true;
}

int twApp::OnExit() {
    SetProcessConsole(nullptr);
    wxApp::OnExit();
    return 0;
}
