#include "import/ConverterTranscript.h"

#include "text/Utf8Text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using Row = HiddenConsole::Row;

bool RunsOn(const Row& row) {
    return row.back() != U' ';
}

std::string_view WithoutIndent(std::string_view line) {
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : line.substr(first);
}

bool IsConfiguration(std::string_view line) {
    return WithoutIndent(line).starts_with("configuration:");
}

// "ffmpeg version ...", "  built with ...", "  configuration: ...", and one line per library
// such as "  libavcodec     59. 37.100 / 59. 37.100": what the converter prints on every run.
bool IsBannerLine(std::string_view line) {
    if (line.starts_with("ffmpeg version ")) {
        return true;
    }
    const std::string_view text = WithoutIndent(line);
    if (text.starts_with("built with ") || IsConfiguration(text)) {
        return true;
    }
    if (!text.starts_with("lib")) {
        return false;
    }
    const size_t nameEnd = text.find(' ');
    if (nameEnd == std::string_view::npos ||
        !std::all_of(text.begin() + 3, text.begin() + static_cast<std::ptrdiff_t>(nameEnd),
                     [](char c) { return c >= 'a' && c <= 'z'; })) {
        return false;
    }
    const std::string_view version = WithoutIndent(text.substr(nameEnd));
    return !version.empty() && version.front() >= '0' && version.front() <= '9' &&
           version.find(" / ") != std::string_view::npos;
}

} // namespace

void ConverterTranscript::AddScrolledRows(const std::vector<Row>& rows) {
    scrolled.insert(scrolled.end(), rows.begin(), rows.end());
    while (scrolled.size() > keptRows) {
        scrolled.pop_front();
    }
}

std::vector<std::string> ConverterTranscript::LastLines(const HiddenConsole::Screen& finalScreen,
                                                        size_t count) const {
    std::vector<Row> rows(scrolled.begin(), scrolled.end());
    for (size_t at = 0; at < finalScreen.size(); at += HiddenConsole::columns) {
        Row row;
        std::copy_n(finalScreen.begin() + static_cast<std::ptrdiff_t>(at), row.size(), row.begin());
        rows.push_back(row);
    }

    std::vector<std::string> lines;
    std::u32string line;
    size_t rowsInLine = 0;
    bool afterConfiguration = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        // A flood without line ends would make one line of every row: keep its beginning.
        if (rowsInLine++ < lineRows) {
            line.append(rows[i].begin(), rows[i].end());
        }
        if (RunsOn(rows[i]) && i + 1 < rows.size()) {
            continue;
        }
        rowsInLine = 0;
        line.erase(line.find_last_not_of(U' ') + 1);
        std::string text;
        for (const char32_t c : line) {
            AppendUtf8(text, c);
        }
        line.clear();
        if (text.empty()) {
            continue;
        }
        // The configuration line runs over many rows, and where a row happens to end on the
        // blank between two options the rest looks like a line of its own: options that
        // start a line right after the configuration still belong to it.
        const bool continued = afterConfiguration && text.starts_with("--");
        afterConfiguration = continued || IsConfiguration(text);
        if (!continued && !IsBannerLine(text)) {
            lines.push_back(std::move(text));
        }
    }
    if (lines.size() > count) {
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(count));
    }
    return lines;
}
