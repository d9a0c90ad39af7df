#include "import/ConverterRunner.h"

#include "import/ConverterArguments.h"
#include "import/ConverterScreen.h"
#include "text/Translation.h"

#include <memory>

bool ConverterRunner::Run(const std::wstring& arguments, ProgressCallback callback, void* user) {
    return Run(SplitArguments(arguments), callback, user);
}

bool ConverterRunner::Run(const std::vector<std::string>& arguments, ProgressCallback callback,
                          void* user) {
    started = false;
    exitStatus = -1;
    cancelled = false;
    transcript = ConverterTranscript{};
    lastLines.clear();
    durationValue = -1;
    positionValue = -1;

    HiddenConsole* console = ProcessConsole();
    if (console == nullptr || !console->Clear()) {
        return false;
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    if (!console->Start(program, args)) {
        return false;
    }
    started = true;

    // Waiting drains the console, so even a converter that ends at once has its output read.
    const auto screen = std::make_unique<HiddenConsole::Screen>();
    std::vector<HiddenConsole::Row> scrolled;
    console->WaitForChild(pollMilliseconds);
    bool ended = console->WaitForChild(pollMilliseconds);
    while (!ended) {
        if (cancelRequested && cancelRequested()) {
            console->EndChild(stopMilliseconds);
            cancelled = true;
            break;
        }
        if (Collect(*console, *screen, scrolled)) {
            ReportProgress(*screen, scrolled, callback, user);
        }
        ended = console->WaitForChild(pollMilliseconds);
    }

    exitStatus = console->ExitStatus();
    if (Collect(*console, *screen, scrolled)) {
        lastLines = transcript.LastLines(*screen, lastLineCount);
    }
    if (callback != nullptr && !cancelled) {
        callback(100, user);
    }
    return true;
}

void ConverterRunner::ReportProgress(const HiddenConsole::Screen& screen,
                                     const std::vector<HiddenConsole::Row>& scrolled,
                                     ProgressCallback callback, void* user) {
    if (durationValue == -1) {
        durationValue = FindDurationValue(screen, FindDurationValueInRows(scrolled, -1));
    }
    if (durationValue == -1) {
        return;
    }
    positionValue = FindPositionValue(screen, positionValue);
    if (callback == nullptr) {
        return;
    }
    // A source that does not say how long it is gets "Duration: N/A", which reads as 0: there
    // is nothing to divide by, and -1 each poll keeps a progress dialog moving instead.
    if (durationValue <= 0) {
        callback(-1, user);
        return;
    }
    const int64_t percent = int64_t{positionValue} * 100 / durationValue;
    callback(static_cast<int32_t>(percent < 0 ? 0 : (percent >= 100 ? 99 : percent)), user);
}

bool ConverterRunner::Collect(HiddenConsole& console, HiddenConsole::Screen& screen,
                              std::vector<HiddenConsole::Row>& scrolled) {
    const bool read = console.ReadScreen(screen);
    console.TakeScrolledRows(scrolled);
    transcript.AddScrolledRows(scrolled);
    return read;
}

std::string ConverterRunner::LastLinesText() const {
    std::string text;
    if (!lastLines.empty()) {
        text = "\n\n" + std::string(Tr("The converter's last lines:"));
        for (const std::string& line : lastLines) {
            text += '\n';
            text += line;
        }
    }
    return text;
}
