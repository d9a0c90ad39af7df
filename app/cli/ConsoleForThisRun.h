// The command-line tool has no start-up of its own: a subcommand that runs the converter gives
// the process its console for as long as the subcommand runs.
#pragma once

#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"

class ConsoleForThisRun {
public:
    ConsoleForThisRun() { SetProcessConsole(CreatePtyConsole()); }
    ~ConsoleForThisRun() { SetProcessConsole(nullptr); }
    ConsoleForThisRun(const ConsoleForThisRun&) = delete;
    ConsoleForThisRun& operator=(const ConsoleForThisRun&) = delete;
};
