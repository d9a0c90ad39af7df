// The hidden console on Linux: one pseudo-terminal of 25 rows by 80 columns, opened when the
// console is made and kept for the whole run, whose output is fed into a libvterm screen of the
// same size. Each child gets the terminal's slave end as its standard input, output and error
// and as its controlling terminal, in a session (and process group) of its own, which is what
// EndChild signals. Nothing is ever typed into it, and queries the child sends to the terminal
// go unanswered. Rows that scroll off the top are kept until taken (libvterm reports them).
//
// Made by CreatePtyConsole and owned by whoever installs it (the application, through
// SetProcessConsole). Not thread-safe: every call comes from the user-interface thread.
#pragma once

#include "platform/HiddenConsole.h"

#include <deque>
#include <memory>
#include <string>
#include <sys/types.h>
#include <termios.h>
#include <vector>

struct VTerm;
struct VTermScreen;

class PtyConsole : public HiddenConsole {
public:
    ~PtyConsole() override;
    PtyConsole(const PtyConsole&) = delete;
    PtyConsole& operator=(const PtyConsole&) = delete;

    bool Clear() override;
    bool Start(const std::string& program, const std::vector<std::string>& args) override;
    bool WaitForChild(int milliseconds) override;
    int ExitStatus() const override;
    bool ReadScreen(Screen& screen) override;
    void TakeScrolledRows(std::vector<Row>& scrolled) override;
    void EndChild(int graceMilliseconds) override;

private:
    friend std::unique_ptr<HiddenConsole> CreatePtyConsole();
    PtyConsole() = default;
    bool Open();
    // Feeds what the terminal holds now into the screen, without waiting.
    void Drain();
    // Collects the ended child's status and forgets it.
    void Reap();

    struct TerminalDeleter {
        void operator()(VTerm* terminal) const;
    };

    int master = -1;
    // Held open for the whole run so that the terminal outlives each child and keeps its size.
    int slave = -1;
    std::string slavePath;
    // The modes the terminal was opened with, restored for every child: a child that dies
    // while it has switched them (raw mode, no output processing) must not garble the next.
    termios initialModes{};
    std::unique_ptr<VTerm, TerminalDeleter> terminal;
    VTermScreen* screen = nullptr; // Owned by terminal.
    // Rows that left the top of the screen and have not been taken yet, oldest first; libvterm
    // adds to them while input is written into the terminal.
    std::deque<Row> scrolledRows;
    pid_t child = -1;
    // Becomes readable when the child ends, so that one poll waits for its end and its output.
    int childEnd = -1;
    int exitStatus = -1;
};

// Opens the console; null when no pseudo-terminal or screen can be made.
std::unique_ptr<HiddenConsole> CreatePtyConsole();
