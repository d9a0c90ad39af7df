#include "import/ConverterScreen.h"

#include "text/Utf8Text.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

namespace {

using Screen = HiddenConsole::Screen;
// Rows of 80 cells one after the other: the screen, or rows that scrolled off it.
using CellSpan = std::span<const char32_t>;

constexpr std::string_view durationKey = "Duration: ";
constexpr std::string_view positionKey = "time=";

// Past the end of the screen there is nothing, as at the end of a C string.
char CellByte(CellSpan screen, size_t index) {
    if (index >= screen.size()) {
        return '\0';
    }
    const char32_t c = screen[index];
    return c <= 0xFF ? static_cast<char>(c) : '\x7F';
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// As atoi reads it (leading blanks, a sign, digits up to the first non-digit, 0 for none),
// but saturating instead of overflowing.
int64_t ReadInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t ceiling = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(ceiling, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string Cells(CellSpan screen, size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < from + count && i < screen.size(); ++i) {
        text += CellByte(screen, i);
    }
    return text;
}

// Calls found(index just after the key) for every match, in search order. Only on a whole
// screen does the last row hold back its final columns.
template <typename Found>
void ForEachKey(CellSpan screen, std::string_view key, bool wholeScreen, Found found) {
    const int lastRow = static_cast<int>(screen.size() / HiddenConsole::columns) - 1;
    for (int row = 0; row <= lastRow; ++row) {
        const int lastColumn = row == lastRow && wholeScreen
                                   ? HiddenConsole::columns - 1 - static_cast<int>(key.size())
                                   : HiddenConsole::columns - 1;
        for (int column = 0; column <= lastColumn; ++column) {
            const size_t start =
                static_cast<size_t>(row) * HiddenConsole::columns + static_cast<size_t>(column);
            size_t i = 0;
            while (i < key.size() && CellByte(screen, start + i) == key[i]) {
                ++i;
            }
            if (i == key.size()) {
                found(start + key.size());
            }
        }
    }
}

int64_t TimeValue(int64_t seconds, std::string_view fraction) {
    return seconds * 1000 + ReadInteger(fraction);
}

// "12.34" or "00:00:12.34"; the fields before the last colon count as hours and minutes.
int64_t ParsePosition(std::string_view text) {
    const size_t point = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = text.substr(std::min(point + 1, text.size()));
    int64_t seconds = 0;
    size_t fieldStart = 0;
    for (;;) {
        const size_t colon = std::min(whole.find(':', fieldStart), whole.size());
        // Any number of fields may stand on the screen (a file name, say): keep the sum bounded.
        seconds =
            Saturated(seconds * 60 + ReadInteger(whole.substr(fieldStart, colon - fieldStart)));
        if (colon == whole.size()) {
            break;
        }
        fieldStart = colon + 1;
    }
    return TimeValue(seconds, fraction);
}

int32_t FindDuration(CellSpan screen, bool wholeScreen, int32_t previous) {
    int32_t value = previous;
    ForEachKey(screen, durationKey, wholeScreen, [&](size_t p) {
        const int64_t hours = ReadInteger(Cells(screen, p, 2));
        const int64_t minutes = ReadInteger(Cells(screen, p + 3, 2));
        const int64_t seconds = ReadInteger(Cells(screen, p + 6, 2));
        value =
            Saturated(TimeValue(hours * 3600 + minutes * 60 + seconds, Cells(screen, p + 9, 2)));
    });
    return value;
}

} // namespace

int32_t FindDurationValue(const Screen& screen, int32_t previous) {
    return FindDuration(screen, true, previous);
}

int32_t FindDurationValueInRows(const std::vector<HiddenConsole::Row>& rows, int32_t previous) {
    std::vector<char32_t> cells;
    cells.reserve(rows.size() * HiddenConsole::columns);
    for (const HiddenConsole::Row& row : rows) {
        cells.insert(cells.end(), row.begin(), row.end());
    }
    return FindDuration(cells, false, previous);
}

int32_t FindPositionValue(const Screen& screen, int32_t previous) {
    int32_t value = previous;
    ForEachKey(screen, positionKey, true, [&](size_t p) {
        while (IsBlank(CellByte(screen, p))) {
            ++p;
        }
        std::string text;
        for (char c = CellByte(screen, p); c != '\0' && !IsBlank(c); c = CellByte(screen, ++p)) {
            text += c;
        }
        value = Saturated(ParsePosition(text));
    });
    return value;
}

std::vector<std::string> ScreenLines(const Screen& screen) {
    std::vector<std::string> lines;
    for (int row = 0; row < HiddenConsole::rows; ++row) {
        const auto first = screen.begin() + std::ptrdiff_t{row} * HiddenConsole::columns;
        auto last = first + HiddenConsole::columns;
        while (last != first && *(last - 1) == U' ') {
            --last;
        }
        if (last == first) {
            continue;
        }
        std::string line;
        std::for_each(first, last, [&](char32_t c) { AppendUtf8(line, c); });
        lines.push_back(std::move(line));
    }
    return lines;
}
