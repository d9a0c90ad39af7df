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

HiddenConsole::Row ScriptedConsole::RowOf(std::string_view text) {
    Row row;
    row.fill(U' ');
    for (size_t i = 0; i < text.size() && i < row.size(); ++i) {
        row[i] = static_cast<unsigned char>(text[i]);
    }
    return row;
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
    killed = false;
    waitCount = 0;
    return true;
}

bool ScriptedConsole::WaitForChild(int) {
    if (!running) {
        return true;
    }
    if (++waitCount >= endingWait && !hangs) {
        running = false;
        ended = true;
    }
    return !running;
}

int ScriptedConsole::ExitStatus() const {
    return ended && !killed ? exitCode : -1;
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

void ScriptedConsole::TakeScrolledRows(std::vector<Row>& taken) {
    const size_t take = static_cast<size_t>(takeCount++);
    taken = take < scrolled.size() ? scrolled[take] : std::vector<Row>{};
}

void ScriptedConsole::EndChild(int graceMilliseconds) {
    ++endCount;
    endGrace = graceMilliseconds;
    if (running) {
        running = false;
        ended = true;
        killed = true;
    }
}
