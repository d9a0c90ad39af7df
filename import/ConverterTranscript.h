// What the converter wrote, as whole lines, for the failure message: the rows that scrolled
// off the hidden console's screen followed by its final screen, with the rows that one long
// line was wrapped over joined again, and without the converter's banner.
//
// The console does not say where a line was wrapped: a row filled to its last column is taken
// to run on into the next row, as a terminal wraps it. Owned by the runner, one per conversion.
#pragma once

#include "platform/HiddenConsole.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

class ConverterTranscript {
public:
    // Rows that scrolled off, kept for the message; older ones are dropped.
    static constexpr size_t keptRows = 200;
    // Rows one line may take; what runs on beyond them is left out.
    static constexpr size_t lineRows = 8;

    // Adds rows that scrolled off the top of the screen, oldest first.
    void AddScrolledRows(const std::vector<HiddenConsole::Row>& rows);

    // The last `count` lines, oldest first, as UTF-8 without trailing blanks. Empty lines, the
    // converter's version and build lines and its library versions are left out.
    std::vector<std::string> LastLines(const HiddenConsole::Screen& finalScreen,
                                       size_t count) const;

private:
    std::deque<HiddenConsole::Row> scrolled;
};
