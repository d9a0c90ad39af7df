// Runs the external converter on the process's hidden console and follows its progress from
// the console's screen, for the import command (and its command-line twin).
//
// One runner per conversion, owned by the caller; Run blocks the user-interface thread until
// the converter ends, and the window stays alive only through what the callback does (a
// progress dialog's Update processes events). The fields after Run tell a good conversion from
// a failed one, which Run's own result does not.
#pragma once

#include "import/ProgressCallback.h"
#include "platform/HiddenConsole.h"

#include <cstdint>
#include <string>
#include <vector>

class ConverterRunner {
public:
    // The converter, relative to the working directory.
    std::string program = "temp/ffmpeg";

    // Filled by Run.
    // False when there was no console to clear or the converter could not be started
    // (missing, not executable).
    bool started = false;
    // The converter's exit code; -1 when it was killed or never ran.
    int exitStatus = -1;
    // The rows of the converter's final screen that hold text, the last lastLineCount of them,
    // oldest first, as UTF-8. Long messages are wrapped over several rows.
    std::vector<std::string> lastLines;
    // The total length once read off the screen, and the last position read (-1 until then),
    // in the unit of ConverterScreen.h.
    int32_t durationValue = -1;
    int32_t positionValue = -1;

    static constexpr size_t lastLineCount = 10;
    static constexpr int pollMilliseconds = 100;

    // Clears the console, starts the converter with the argument string (everything after the
    // program name, split by the rules of ConverterArguments.h) and polls the screen every
    // 100 ms until it ends. The callback, if any, hears nothing until the duration has shown
    // up, then 0 to 99 once per poll, then 100 once the converter has ended. False, with no
    // callback at all, when the console can't be cleared or the converter can't be started.
    bool Run(const std::wstring& arguments, ProgressCallback callback, void* user);

    // The converter ended by itself with exit code 0.
    bool Succeeded() const { return started && exitStatus == 0; }

private:
    void ReportProgress(const HiddenConsole::Screen& screen, ProgressCallback callback, void* user);
};
