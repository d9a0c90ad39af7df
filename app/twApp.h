// The application object: gives the process its hidden console, builds the main window and
// releases the console at the end of the run. The toolkit creates and owns it.
#pragma once

#include "platform/HiddenConsole.h"

#include <wx/app.h>

#include <functional>
#include <memory>

class twApp : public wxApp {
public:
    using ConsoleFactory = std::function<std::unique_ptr<HiddenConsole>()>;

    twApp();

    bool OnInit() override;
    int OnExit() override;

    // Start-up with the given way of making the console: false, and no window, when the
    // console can't be made. Separate from OnInit so that tests can hand in a fake.
    static bool StartUp(const ConsoleFactory& makeConsole);
};

wxDECLARE_APP(twApp);
