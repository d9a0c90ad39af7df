#include "platform/fake/ScriptedConsole.h"

#include <algorithm>

HiddenConsole::Screen ScriptedConsole::Blank() {
    Screen screen;
    screen.fill(U' ');
    return screen;
}

void ScriptedConsole::Put(Screen& screen, int row, int column, std::string_view text) {
    size_t index = static_cast<size_t>(row) * columns + static_cast<size_t>(column);
    for (const char c : text) {
        if (index >= screen.size()) {
            return;
        }
        screen[index++] = static_cast<unsigned char>(c);
    }
}

bool ScriptedConsole::Clear() {
    ++clearCount;
    return clearSucceeds;
}

bool ScriptedConsole::Start(const std::string& program, const std::vector<std::string>& args) {
    startedProgram = program;
    startedArgs = args;
    if (!startSucceeds) {
        return false;
    }
    running = true;
    ended = false;
    waitCount = 0;
    return true;
}

bool ScriptedConsole::WaitForChild(int) {
    if (!running) {
        return true;
    }
    if (++waitCount >= endingWait) {
        running = false;
        ended = true;
    }
    return !running;
}

int ScriptedConsole::ExitStatus() const {
    return ended ? exitCode : -1;
}

bool ScriptedConsole::ReadScreen(Screen& screen) {
    const int read = readCount++;
    if (std::find(failingReads.begin(), failingReads.end(), read) != failingReads.end()) {
        return false;
    }
    if (screens.empty()) {
        screen = Blank();
    } else {
        screen = screens[std::min(static_cast<size_t>(read), screens.size() - 1)];
    }
    return true;
}
