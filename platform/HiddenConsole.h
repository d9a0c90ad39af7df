// The text screen of 80 by 25 cells that a child program (the converter) writes its standard
// input, output and error into, and that the program clears and reads back cell by cell to
// follow the child's progress. The user never sees it.
//
// One console serves the whole run: the application creates it at start-up and installs it
// with SetProcessConsole; the converter runner takes it from ProcessConsole. Tests install a
// fake. All calls come from the user-interface thread.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class HiddenConsole {
public:
    static constexpr int columns = 80;
    static constexpr int rows = 25;
    static constexpr int cellCount = columns * rows;
    // Row-major copy of the screen: cell index = row * 80 + column, one character per cell.
    using Screen = std::array<char32_t, cellCount>;
    // One row of cells, as it left the top of the screen.
    using Row = std::array<char32_t, columns>;
    // The most rows kept between two TakeScrolledRows; older ones are dropped.
    static constexpr size_t scrollbackRows = 500;

    virtual ~HiddenConsole() = default;

    // Blanks all 2000 cells and homes the cursor. False when the screen can't be cleared.
    virtual bool Clear() = 0;

    // Starts the program with the argument vector (no shell; args[0] is the program name the
    // child sees) on the console's terminal as its standard input, output and error, in the
    // current working directory. False when the child can't be started. One child at a time.
    virtual bool Start(const std::string& program, const std::vector<std::string>& args) = 0;

    // Waits up to the given time for the running child to end, feeding everything it writes
    // meanwhile into the screen so that it never blocks on a full terminal. True once the
    // child has ended (also when none is running).
    virtual bool WaitForChild(int milliseconds) = 0;

    // The exit status of the last child that ended: its exit code, or -1 when it was killed
    // by a signal or none has ended yet.
    virtual int ExitStatus() const = 0;

    // Copies the whole screen. False when it can't be read.
    virtual bool ReadScreen(Screen& screen) = 0;

    // Hands over, oldest first, the rows that have scrolled off the top of the screen since
    // the last call or Clear (at most scrollbackRows of them), and forgets them. The screen and
    // the rows belong together after a ReadScreen: nothing is fed in between.
    virtual void TakeScrolledRows(std::vector<Row>& scrolled) = 0;

    // Ends the running child and everything it started: asks them to stop (SIGTERM), goes on
    // reading their output for up to the given time, then kills what is left (SIGKILL).
    // Returns once the child has ended; ExitStatus then says -1. Nothing happens when no child
    // runs.
    virtual void EndChild(int graceMilliseconds) = 0;
};

// The process's console: null before start-up has made one and after exit has released it.
HiddenConsole* ProcessConsole();

// Installs (or, with null, releases) the process's console.
void SetProcessConsole(std::unique_ptr<HiddenConsole> console);
