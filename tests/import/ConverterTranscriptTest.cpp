// The converter's last lines for the failure message, from scripted rows that scrolled off and
// final screens: long lines wrapped over rows and scrolled away come back whole, the banner
// stays out.
#include "import/ConverterTranscript.h"
#include "platform/fake/ScriptedConsole.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Row = HiddenConsole::Row;
using Rows = std::vector<Row>;
using Screen = HiddenConsole::Screen;

// Text laid out as a terminal of 80 columns wraps it: one row per 80 characters.
Rows Wrapped(const std::vector<std::string>& lines) {
    Rows rows;
    for (const std::string& line : lines) {
        size_t at = 0;
        do {
            rows.push_back(ScriptedConsole::RowOf(line.substr(at, 80)));
            at += 80;
        } while (at < line.size());
    }
    return rows;
}

Screen ScreenOf(const Rows& rows) {
    Screen screen = ScriptedConsole::Blank();
    for (size_t row = 0; row < rows.size() && row < 25; ++row) {
        std::copy(rows[row].begin(), rows[row].end(), screen.begin() + row * 80);
    }
    return screen;
}

struct LinesCase {
    const char* name;
    Rows scrolled;
    Rows screen;
    std::vector<std::string> expected;
};

void PrintTo(const LinesCase& tested, std::ostream* out) {
    *out << tested.name;
}

class FailureLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(FailureLines, AreWholeLinesWithoutTheBanner) {
    ConverterTranscript transcript;
    transcript.AddScrolledRows(GetParam().scrolled);
    EXPECT_EQ(transcript.LastLines(ScreenOf(GetParam().screen), 10), GetParam().expected);
}

const std::string longReason =
    "[mp3 @ 0x55d0c0a1b2c0] Failed to read frame size: Could not seek to 1026. The file "
    "shared by the converter is cut off";
const std::string configuration =
    "  configuration: --prefix=/usr --extra-version=0+deb12u1 --toolchain=hardened "
    "--libdir=/usr/lib/x86_64-linux-gnu --incdir=/usr/include/x86_64-linux-gnu --arch=amd64 "
    "--enable-gpl --disable-stripping --enable-gnutls --enable-ladspa --enable-libaom";

INSTANTIATE_TEST_SUITE_P(
    Transcripts, FailureLines,
    ::testing::Values(
        LinesCase{"WrappedLineIsJoined", {}, Wrapped({longReason}), {longReason}},
        LinesCase{"LineBegunInScrolledRowsIsJoinedWithItsEndOnTheScreen",
                  Rows{Wrapped({"before", longReason})[0], Wrapped({longReason})[0]},
                  {Wrapped({longReason})[1], ScriptedConsole::RowOf("last")},
                  {"before", longReason, "last"}},
        LinesCase{"BannerConfigurationAndLibraryVersionsAreLeftOut",
                  Wrapped({"ffmpeg version 5.1.6-0+deb12u1 Copyright (c) 2000-2024 the FFmpeg "
                           "developers",
                           "  built with gcc 12 (Debian 12.2.0-14)", configuration,
                           "  libavutil      57. 28.100 / 57. 28.100",
                           "  libswresample   4.  7.100 /  4.  7.100"}),
                  Wrapped({"  libpostproc    56.  6.100 / 56.  6.100",
                           "song.mp3: Invalid data found when processing input"}),
                  {"song.mp3: Invalid data found when processing input"}},
        // The first row ends on the blank before "--enable-gpl", as Debian's own configuration
        // line does at its tenth row.
        LinesCase{"ConfigurationWrappedOnABlankIsLeftOutWhole",
                  {},
                  Wrapped({"  configuration: --prefix=/usr --libdir=/usr/lib/x86_64-linux-gnu "
                           "--enable-sdl2 --enable-gpl",
                           "  libavutil      57. 28.100 / 57. 28.100",
                           "song.mp3: Invalid data found when processing input"}),
                  {"song.mp3: Invalid data found when processing input"}},
        LinesCase{"OnlyTheLastTenLinesAreKept",
                  Wrapped({"l1", "l2", "l3", "l4", "l5", "l6"}),
                  Wrapped({"l7", "l8", "l9", "", "l10", "l11", "l12"}),
                  {"l3", "l4", "l5", "l6", "l7", "l8", "l9", "l10", "l11", "l12"}},
        LinesCase{"LinesThatOnlyLookLikeTheBannerStay",
                  {},
                  Wrapped({"ffmpeg: version 2 needed", "  libfoo: No such filter",
                           "  configure the output: 1 / 2"}),
                  {"ffmpeg: version 2 needed", "  libfoo: No such filter",
                   "  configure the output: 1 / 2"}}),
    [](const auto& tested) { return std::string(tested.param.name); });

} // namespace
