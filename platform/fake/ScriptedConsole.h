// A console that runs nothing and shows scripted screens, for the converter runner's tests.
// Reads show the script's screens one after another (the last one stays), takes hand over the
// script's scrolled rows; the pretend child ends at a chosen wait, or hangs until it is ended.
// It records what it was asked to do. Owned by the test that scripts it.
#pragma once

#include "platform/HiddenConsole.h"

#include <string>
#include <string_view>
#include <vector>

class ScriptedConsole : public HiddenConsole {
public:
    // The script.
    std::vector<Screen> screens;   // The n-th read (from 0) shows screens[n], or the last one.
    int endingWait = 1;            // The wait (from 1 after the start) that reports the end.
    std::vector<int> failingReads; // Reads (from 0) that fail.
    // The n-th take (from 0) hands over scrolled[n]; later takes hand over nothing.
    std::vector<std::vector<Row>> scrolled;
    // The pretend child ends only when it is ended (EndChild); endingWait is then ignored.
    bool hangs = false;
    bool clearSucceeds = true;
    bool startSucceeds = true;
    int exitCode = 0;

    // What was asked.
    int clearCount = 0;
    std::string startedProgram;
    std::vector<std::string> startedArgs;
    int waitCount = 0;
    int readCount = 0;
    int takeCount = 0;
    int endCount = 0;
    int endGrace = -1;

    // A screen of 2000 blanks.
    static Screen Blank();
    // A row holding 8-bit text from column 0, cut at the row's end.
    static Row RowOf(std::string_view text);
    // Writes 8-bit text from the row and column on, running on into the next rows; whatever
    // would land past the last cell is dropped.
    static void Put(Screen& screen, int row, int column, std::string_view text);

    bool Clear() override;
    bool Start(const std::string& program, const std::vector<std::string>& args) override;
    bool WaitForChild(int milliseconds) override;
    int ExitStatus() const override;
    bool ReadScreen(Screen& screen) override;
    void TakeScrolledRows(std::vector<Row>& taken) override;
    void EndChild(int graceMilliseconds) override;

private:
    bool running = false;
    bool ended = false;
    bool killed = false;
};
