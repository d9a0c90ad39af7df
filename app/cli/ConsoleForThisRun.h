// The command-line tool has no start-up of its own: a subcommand that runs the converter gives
// the process its console for as long as the subcommand runs.
#pragma once

#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"

#include <cstdint>
#include <ostream>

class ConsoleForThisRun {
public:
    ConsoleForThisRun() { SetProcessConsole(CreatePtyConsole()); }
    ~ConsoleForThisRun() { SetProcessConsole(nullptr); }
    ConsoleForThisRun(const ConsoleForThisRun&) = delete;
    ConsoleForThisRun& operator=(const ConsoleForThisRun&) = delete;
};

// The converter's progress as those subcommands print it: each value on a line of its own, at
// once. `user` is the std::ostream.
inline void PrintProgress(int32_t value, void* user) {
    *static_cast<std::ostream*>(user) << value << '\n' << std::flush;
}
