// The Linux hidden console with real children (the shell and its tools) writing into it.
#include "platform/linux/PtyConsole.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

using Screen = HiddenConsole::Screen;

class PtyConsoleTest : public ::testing::Test {
protected:
    std::unique_ptr<HiddenConsole> console = CreatePtyConsole();

    void SetUp() override { ASSERT_NE(console, nullptr); }

    // Runs a shell command line as the child and waits for its end, as the runner does.
    bool RunShell(const std::string& commandLine) {
        if (!console->Start("/bin/sh", {"sh", "-c", commandLine})) {
            return false;
        }
        while (!console->WaitForChild(100)) {
        }
        return true;
    }

    Screen Read() {
        Screen screen;
        EXPECT_TRUE(console->ReadScreen(screen));
        return screen;
    }

    // The row's cells as UTF-32, trailing blanks removed.
    static std::u32string Row(const Screen& screen, int row) {
        const auto first = screen.begin() + std::ptrdiff_t{row} * HiddenConsole::columns;
        std::u32string text(first, first + HiddenConsole::columns);
        return text.substr(0, text.find_last_not_of(U' ') + 1);
    }
};

TEST_F(PtyConsoleTest, TextAppearsAtTheCellsItWasWrittenTo) {
    ASSERT_TRUE(RunShell("printf 'first\\n   second\\n\\n\\t tab'"));
    const Screen screen = Read();
    EXPECT_EQ(Row(screen, 0), U"first");
    EXPECT_EQ(Row(screen, 1), U"   second");
    EXPECT_EQ(Row(screen, 2), U"");
    EXPECT_EQ(screen[3 * 80 + 9], U't');
    EXPECT_EQ(Row(screen, 4), U"");
}

TEST_F(PtyConsoleTest, CarriageReturnOverwritesTheRowInPlace) {
    ASSERT_TRUE(RunShell("printf 'size=   1kB time=00:00:01.00 bitrate=1\\r"
                         "size=  22kB time=00:00:02.50\\r'"));
    EXPECT_EQ(Row(Read(), 0), U"size=  22kB time=00:00:02.50 bitrate=1");
}

TEST_F(PtyConsoleTest, LongLinesWrapAndTheScreenScrollsUp) {
    ASSERT_TRUE(RunShell("seq 1 40; printf '%0100d' 7"));
    const Screen screen = Read();
    // 40 numbers and two rows of wrapped line: the first 17 numbers have scrolled away.
    EXPECT_EQ(Row(screen, 0), U"18");
    EXPECT_EQ(Row(screen, 22), U"40");
    EXPECT_EQ(Row(screen, 23), std::u32string(80, U'0'));
    EXPECT_EQ(Row(screen, 24), std::u32string(19, U'0') + U"7");
}

TEST_F(PtyConsoleTest, NonAsciiTextTakesOneCellPerCharacter) {
    ASSERT_TRUE(RunShell("printf 'Grüße, Ωmega'"));
    EXPECT_EQ(Row(Read(), 0), U"Grüße, Ωmega");
}

TEST_F(PtyConsoleTest, ClearingLeaves2000BlanksAndWritingStartsTopLeft) {
    ASSERT_TRUE(RunShell("seq 1 30"));
    ASSERT_TRUE(console->Clear());
    Screen screen = Read();
    EXPECT_EQ(std::u32string(screen.begin(), screen.end()), std::u32string(2000, U' '));

    ASSERT_TRUE(RunShell("printf again"));
    screen = Read();
    EXPECT_EQ(Row(screen, 0), U"again");
    EXPECT_EQ(Row(screen, 1), U"");
}

TEST_F(PtyConsoleTest, ChildHasTheTerminalAsItsStandardStreamsAndControllingTerminal) {
    ASSERT_TRUE(RunShell("test -t 0 && test -t 1 && test -t 2 && stty size && echo to-stderr >&2 "
                         "&& exec 3</dev/tty && echo controlling"));
    const Screen screen = Read();
    EXPECT_EQ(Row(screen, 0), U"25 80");
    EXPECT_EQ(Row(screen, 1), U"to-stderr");
    EXPECT_EQ(Row(screen, 2), U"controlling");
    EXPECT_EQ(console->ExitStatus(), 0);
}

TEST_F(PtyConsoleTest, ModesAChildLeftChangedAreRestoredForTheNext) {
    ASSERT_TRUE(RunShell("stty raw -echo -opost"));
    ASSERT_TRUE(console->Clear());
    ASSERT_TRUE(RunShell("printf 'a\\nb'"));
    const Screen screen = Read();
    EXPECT_EQ(Row(screen, 0), U"a");
    EXPECT_EQ(Row(screen, 1), U"b");
}

TEST_F(PtyConsoleTest, ReportsTheChildsExitCodeOrMinusOneWhenKilled) {
    ASSERT_TRUE(RunShell("exit 3"));
    EXPECT_EQ(console->ExitStatus(), 3);
    ASSERT_TRUE(RunShell("kill -9 $$"));
    EXPECT_EQ(console->ExitStatus(), -1);
}

TEST_F(PtyConsoleTest, ProgramsThatCantBeRunAreNotStarted) {
    EXPECT_FALSE(console->Start("/nonexistent/ffmpeg", {"ffmpeg"}));
    EXPECT_FALSE(console->Start("/etc/hostname", {"hostname"}));
    // Nothing is running: waiting ends at once.
    EXPECT_TRUE(console->WaitForChild(100));
    EXPECT_EQ(console->ExitStatus(), -1);
}

TEST_F(PtyConsoleTest, OnlyOneChildRunsAtATime) {
    ASSERT_TRUE(console->Start("/bin/sh", {"sh", "-c", "read line"}));
    EXPECT_FALSE(console->Start("/bin/true", {"true"}));
    EXPECT_FALSE(console->WaitForChild(0));
}

TEST_F(PtyConsoleTest, ChildWritingFarMoreThanTheTerminalHoldsIsNeverBlocked) {
    // Megabytes against a terminal buffer of a few kilobytes: without draining while waiting
    // the child would stop at its first full buffer and never end.
    ASSERT_TRUE(RunShell("head -c 6000000 /dev/zero | tr '\\0' x; printf '\\nlast words'"));
    EXPECT_EQ(Row(Read(), 24), U"last words");
    EXPECT_EQ(console->ExitStatus(), 0);
}

TEST_F(PtyConsoleTest, RowsThatScrollOffAreHandedOverOnceOldestFirst) {
    // 30 numbered lines on 25 rows: lines 1 to 6 leave the top (the cursor ends on a new row).
    ASSERT_TRUE(RunShell("i=1; while [ $i -le 30 ]; do echo \"line $i\"; i=$((i+1)); done"));
    EXPECT_EQ(Row(Read(), 0), U"line 7");
    std::vector<HiddenConsole::Row> scrolled;
    console->TakeScrolledRows(scrolled);
    ASSERT_EQ(scrolled.size(), 6U);
    for (size_t i = 0; i < scrolled.size(); ++i) {
        const std::u32string text(scrolled[i].begin(), scrolled[i].end());
        EXPECT_EQ(text.substr(0, text.find_last_not_of(U' ') + 1),
                  U"line " + std::u32string(1, static_cast<char32_t>(U'1' + i)));
    }
    console->TakeScrolledRows(scrolled);
    EXPECT_TRUE(scrolled.empty());

    ASSERT_TRUE(RunShell("seq 40"));
    ASSERT_TRUE(console->Clear());
    console->TakeScrolledRows(scrolled);
    EXPECT_TRUE(scrolled.empty()) << "a clear forgets what scrolled before it";
}

TEST_F(PtyConsoleTest, KeepsOnlyTheNewestScrolledRows) {
    ASSERT_TRUE(RunShell("seq 2000"));
    std::vector<HiddenConsole::Row> scrolled;
    console->TakeScrolledRows(scrolled);
    ASSERT_EQ(scrolled.size(), HiddenConsole::scrollbackRows);
    EXPECT_EQ(scrolled.back()[0], U'1');
    EXPECT_EQ(std::u32string(scrolled.back().begin(), scrolled.back().begin() + 5), U"1976 ");
}

TEST_F(PtyConsoleTest, EndingAChildStopsItAndWhatItStartedThenKillsWhatIgnoresTheRequest) {
    // A child that stops when asked, though its own child sleeps on.
    ASSERT_TRUE(console->Start("/bin/sh", {"sh", "-c", "sleep 600; echo never"}));
    EXPECT_FALSE(console->WaitForChild(200));
    console->EndChild(1000);
    EXPECT_EQ(console->ExitStatus(), -1);
    EXPECT_TRUE(console->WaitForChild(0));

    // One that ignores the request is killed once the grace time has passed.
    ASSERT_TRUE(console->Start(
        "/bin/sh", {"sh", "-c", "trap '' TERM; echo ready; while :; do sleep 0.05; done"}));
    while (Row(Read(), 0) != U"ready") {
        ASSERT_FALSE(console->WaitForChild(50));
    }
    console->EndChild(300);
    EXPECT_EQ(console->ExitStatus(), -1);
    // The console is free for the next child.
    ASSERT_TRUE(RunShell("exit 4"));
    EXPECT_EQ(console->ExitStatus(), 4);
    console->EndChild(1000);
}

} // namespace
