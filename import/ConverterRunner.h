// Runs the external converter on the process's hidden console and follows its progress from
// the console's screen, for the import command (and its command-line twin).
//
// One runner per conversion, owned by the caller; Run blocks the user-interface thread until
// the converter ends or is cancelled, and the window stays alive only through what the
// callbacks do (a progress dialog's Update processes events). The fields after Run tell a good
// conversion from a failed one, which Run's own result does not.
#pragma once

#include "import/ConverterTranscript.h"
#include "platform/HiddenConsole.h"
#include "platform/ProgressCallback.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ConverterRunner {
public:
    // The converter, relative to the working directory.
    std::string program = "temp/ffmpeg";
    // Asked once per poll, whatever the screen shows, so that a window can handle its events
    // even while the converter prints nothing. True ends the converter: it is asked to stop,
    // killed a second later if it has not, and Run sets `cancelled`. May be empty.
    std::function<bool()> cancelRequested;

    // Filled by Run.
    // False when there was no console to clear or the converter could not be started
    // (missing, not executable).
    bool started = false;
    // The converter's exit code; -1 when it was killed or never ran.
    int exitStatus = -1;
    // The converter was ended because cancelRequested said so.
    bool cancelled = false;
    // The converter's last lastLineCount lines, oldest first, as UTF-8, whole however the
    // screen wrapped them and whether or not they scrolled off it, without its banner.
    std::vector<std::string> lastLines;
    // The total length once read off the screen, and the last position read (-1 until then),
    // in the unit of ConverterScreen.h.
    int32_t durationValue = -1;
    int32_t positionValue = -1;

    static constexpr size_t lastLineCount = 10;
    static constexpr int pollMilliseconds = 100;
    // How long a cancelled converter may take to stop before it is killed.
    static constexpr int stopMilliseconds = 1000;

    // Clears the console, starts the converter with the argument string (everything after the
    // program name, split by the rules of ConverterArguments.h) and polls the screen every
    // 100 ms until it ends. The callback, if any, hears nothing until the duration has shown
    // up, then 0 to 99 once per poll (-1 when the duration reads as 0, as "N/A" does: the
    // length is not known), then 100 once the converter has ended by itself (not when it was
    // cancelled). False, with no
    // callback at all, when the console can't be cleared or the converter can't be started.
    bool Run(const std::wstring& arguments, ProgressCallback callback, void* user);
    // The same with the arguments (after the program name) already apart, as UTF-8.
    bool Run(const std::vector<std::string>& arguments, ProgressCallback callback, void* user);

    // The converter ended by itself with exit code 0.
    bool Succeeded() const { return started && !cancelled && exitStatus == 0; }

    // "The converter's last lines:" and the lines, after a blank line, for a failure message;
    // empty when the converter printed nothing.
    std::string LastLinesText() const;

private:
    // Copies the screen and hands the rows that scrolled off meanwhile to the transcript. False
    // when the screen could not be read.
    bool Collect(HiddenConsole& console, HiddenConsole::Screen& screen,
                 std::vector<HiddenConsole::Row>& scrolled);
    // Searches the rows that scrolled off since the last poll, then the screen: on a file with
    // many tags the duration has left the screen before the first poll.
    void ReportProgress(const HiddenConsole::Screen& screen,
                        const std::vector<HiddenConsole::Row>& scrolled, ProgressCallback callback,
                        void* user);
    ConverterTranscript transcript;
};
