// The application object: gives the process its hidden console, builds the main window and
// releases the console at the end of the run. The toolkit creates and owns it.
#pragma once

#include "platform/HiddenConsole.h"

#include <wx/app.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class twApp : public wxApp {
public:
    using ConsoleFactory = std::function<std::unique_ptr<HiddenConsole>()>;

    twApp();

    bool OnInit() override;
    int OnExit() override;

    // Start-up with the given way of making the console: false, and no window, when the
    // console can't be made. Separate from OnInit so that tests can hand in a fake.
    static bool StartUp(const ConsoleFactory& makeConsole);
    // The file named on the command line (tonewick FILE), picked in the main window as if
    // the user had chosen it there, so it starts playing. A relative name is taken from the
    // current directory. Nothing happens without a main window.
    static void PickStartFile(const wxString& name);

    // The command line as main received it, before the toolkit decoded and sorted it.
    static std::vector<std::string> rawArguments;
};

wxDECLARE_APP(twApp);
