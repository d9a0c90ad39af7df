// libFuzzer target: the converter's screen reader and the runner's progress on arbitrary
// 80x25 screens. The input is read as cells, row by row, over up to six screens: byte 0xFF and
// the four bytes after it are one cell of any 32-bit value (little-endian), 0xFE ends the
// screen, 0xFD ends the row, any other byte is a cell of that value; cells not given are blanks.
// The first byte marks the screen copies (one bit per read) that fail.
//
// Checks: a search with no key on the screen keeps the previous value, whatever it was; the
// screen's lines are its non-blank rows without trailing blanks, and read back as UTF-8 give
// the row's characters (a value past Unicode as U+FFFD); the runner reports 0 to 99 per poll
// only once a duration is known, exactly as the searches compute it, then 100 once, and keeps
// the last whole lines of the final screen.
// scripts/test runs it for 10 seconds, tests/fuzz/run as long as asked.
#include "import/ConverterRunner.h"
#include "import/ConverterScreen.h"
#include "import/ConverterTranscript.h"
#include "platform/fake/ScriptedConsole.h"
#include "text/Utf8Text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Screen = HiddenConsole::Screen;

constexpr size_t kLargestScript = 6;
constexpr int32_t kOtherPrevious = -7;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<Screen> Screens(const uint8_t* data, size_t size) {
    std::vector<Screen> screens;
    size_t i = 0;
    while (i < size && screens.size() < kLargestScript) {
        Screen screen = ScriptedConsole::Blank();
        size_t cell = 0;
        for (; i < size && cell < screen.size(); ++i) {
            if (data[i] == 0xFE) {
                ++i;
                break;
            }
            if (data[i] == 0xFD) {
                cell += HiddenConsole::columns - cell % HiddenConsole::columns;
            } else if (data[i] == 0xFF && i + 4 < size) {
                uint32_t value;
                std::memcpy(&value, data + i + 1, sizeof value);
                screen[cell++] = value;
                i += 4;
            } else {
                screen[cell++] = data[i];
            }
        }
        screens.push_back(screen);
    }
    return screens;
}

bool IsScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void CheckLines(const Screen& screen) {
    const std::vector<std::string> lines = ScreenLines(screen);
    size_t line = 0;
    for (int row = 0; row < HiddenConsole::rows; ++row) {
        const auto first = screen.begin() + row * HiddenConsole::columns;
        auto last = first + HiddenConsole::columns;
        while (last != first && *(last - 1) == U' ') {
            --last;
        }
        if (last == first) {
            continue;
        }
        Check(line < lines.size());
        const std::string& text = lines[line++];
        Check(!text.empty() && text.back() != ' ' && text.size() <= 4 * HiddenConsole::columns);
        // Surrogates stand for bytes of names that were not UTF-8 and need not read back alone.
        if (!std::all_of(first, last, [](char32_t c) { return IsScalar(c) || c > 0x10FFFF; })) {
            continue;
        }
        std::wstring expected;
        std::for_each(first, last, [&](char32_t c) {
            expected += static_cast<wchar_t>(IsScalar(c) ? c : U'\uFFFD');
        });
        Check(WideFromUtf8(text) == expected);
    }
    Check(line == lines.size());
}

void CheckSearches(const Screen& screen) {
    const int32_t duration = FindDurationValue(screen, -1);
    const int32_t other = FindDurationValue(screen, kOtherPrevious);
    Check(duration == other || (duration == -1 && other == kOtherPrevious));
    const int32_t position = FindPositionValue(screen, -1);
    const int32_t otherPosition = FindPositionValue(screen, kOtherPrevious);
    Check(position == otherPosition || (position == -1 && otherPosition == kOtherPrevious));
}

void Record(int32_t value, void* user) {
    static_cast<std::vector<int32_t>*>(user)->push_back(value);
}

// What the runner should report: nothing until a duration is read, then the position as a
// share of it, held below 100 until the end.
std::vector<int32_t> ExpectedProgress(const std::vector<Screen>& screens, uint8_t failingReads) {
    std::vector<int32_t> expected;
    int32_t duration = -1;
    int32_t position = -1;
    for (size_t read = 0; read < screens.size(); ++read) {
        if (read < 8 && (failingReads >> read & 1) != 0) {
            continue;
        }
        if (duration == -1) {
            duration = FindDurationValue(screens[read], -1);
        }
        if (duration == -1) {
            continue;
        }
        position = FindPositionValue(screens[read], position);
        // A length of 0 (the converter's "N/A") can't be divided by: -1 keeps the dialog moving.
        if (duration > 0) {
            const int64_t percent = int64_t{position} * 100 / duration;
            expected.push_back(static_cast<int32_t>(std::clamp<int64_t>(percent, 0, 99)));
        } else {
            expected.push_back(-1);
        }
    }
    expected.push_back(100);
    return expected;
}

void CheckRunner(const std::vector<Screen>& screens, uint8_t failingReads) {
    auto owned = std::make_unique<ScriptedConsole>();
    ScriptedConsole* console = owned.get();
    SetProcessConsole(std::move(owned));
    console->screens = screens;
    console->endingWait = 2 + static_cast<int>(screens.size());
    for (int read = 0; read < 8; ++read) {
        if ((failingReads >> read & 1) != 0) {
            console->failingReads.push_back(read);
        }
    }
    ConverterRunner runner;
    std::vector<int32_t> reported;
    Check(runner.Run(L" -i \"in.mp3\"", Record, &reported));
    Check(reported == ExpectedProgress(screens, failingReads));
    // The copy after the end shows the last screen again, unless that read is one that fails.
    const size_t finalRead = screens.size();
    std::vector<std::string> lines;
    if (!screens.empty() && (finalRead >= 8 || (failingReads >> finalRead & 1) == 0)) {
        // The scripted console scrolls nothing off, so the transcript is the final screen.
        lines = ConverterTranscript{}.LastLines(screens.back(), ConverterRunner::lastLineCount);
    }
    Check(runner.lastLines == lines);
    SetProcessConsole(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::vector<Screen> screens = Screens(data + 1, size - 1);
    for (const Screen& screen : screens) {
        CheckSearches(screen);
        CheckLines(screen);
    }
    CheckRunner(screens, data[0]);
    return 0;
}
