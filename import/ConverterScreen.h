// Reading the converter's progress and last words off a copy of the hidden console's screen.
//
// Times are kept in one unit: whole seconds times 1000 plus the integer value of the digits
// after the decimal point ("00:03:25.47" is 205047). The converter prints its total length
// once as "Duration: HH:MM:SS.FF" and keeps overwriting its position as "time=" followed by
// either seconds with a fraction ("12.34") or HH:MM:SS.FF; both forms are read.
//
// Keys are searched row by row, column by column, on the low 8 bits of each cell (characters
// beyond 8 bits never match), and may run on from one row into the next. On the last row a
// key is only looked for where it ends at column 78 at the latest. No reading ever leaves the
// 2000 cells: a number cut off by the end of the screen is read from the cells that exist.
#pragma once

#include "platform/HiddenConsole.h"

#include <cstdint>
#include <string>
#include <vector>

// The duration after the last "Duration: " on the screen, or `previous` when there is none.
int32_t FindDurationValue(const HiddenConsole::Screen& screen, int32_t previous);

// The duration after the last "Duration: " in rows that scrolled off the screen (oldest first),
// or `previous` when there is none. The rows are searched as one screen of that many rows whose
// last row is searched to its end, so a key may run on from one row into the next.
int32_t FindDurationValueInRows(const std::vector<HiddenConsole::Row>& rows, int32_t previous);

// The position after the last "time=" on the screen, or `previous` when there is none.
int32_t FindPositionValue(const HiddenConsole::Screen& screen, int32_t previous);

// The screen's rows that hold more than blanks, top to bottom, as UTF-8 without trailing
// blanks.
std::vector<std::string> ScreenLines(const HiddenConsole::Screen& screen);
