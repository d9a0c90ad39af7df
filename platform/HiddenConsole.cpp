#include "platform/HiddenConsole.h"

namespace {
// Made at start-up and released at exit, both on the user-interface thread.
std::unique_ptr<HiddenConsole>& ConsoleSlot() {
    static std::unique_ptr<HiddenConsole> console;
    return console;
}
} // namespace

HiddenConsole* ProcessConsole() {
    return ConsoleSlot().get();
}

void SetProcessConsole(std::unique_ptr<HiddenConsole> console) {
    ConsoleSlot() = std::move(console);
}
