// The runner's poll loop and screen reading against scripted console screens.
#include "import/ConverterRunner.h"
#include "import/ConverterArguments.h"
#include "platform/fake/ScriptedConsole.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Screen = HiddenConsole::Screen;
using Values = std::vector<int32_t>;

void Record(int32_t value, void* user) {
    static_cast<Values*>(user)->push_back(value);
}

// A screen with the given texts, each at its row and column.
struct Text {
    int row;
    int column;
    std::string text;
};
Screen ScreenWith(const std::vector<Text>& texts) {
    Screen screen = ScriptedConsole::Blank();
    for (const Text& t : texts) {
        ScriptedConsole::Put(screen, t.row, t.column, t.text);
    }
    return screen;
}

const Text tenSeconds{2, 2, "Duration: 00:00:10.00, start: 0.000000, bitrate: 1411 kb/s"};

class ConverterRunnerTest : public ::testing::Test {
protected:
    ScriptedConsole* console = nullptr;
    ConverterRunner runner;
    Values values;

    void SetUp() override {
        auto scripted = std::make_unique<ScriptedConsole>();
        console = scripted.get();
        SetProcessConsole(std::move(scripted));
    }
    void TearDown() override { SetProcessConsole(nullptr); }

    // The converter runs for one poll per screen: the two first waits, then one per poll.
    Values RunWith(const std::vector<Screen>& screens) {
        console->screens = screens;
        console->endingWait = 2 + static_cast<int>(screens.size());
        EXPECT_TRUE(runner.Run(L" -i \"in.mp3\"", Record, &values));
        return values;
    }
};

TEST_F(ConverterRunnerTest, ConverterEndingBeforeTheFirstPollReportsOnly100) {
    console->endingWait = 1;
    EXPECT_TRUE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_EQ(values, Values{100});
    console->endingWait = 2;
    values.clear();
    EXPECT_TRUE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_EQ(values, Values{100});
}

TEST_F(ConverterRunnerTest, NothingIsReportedUntilTheDurationShowsUp) {
    const Screen positionOnly = ScreenWith({{5, 0, "size= 1kB time=5.00 bitrate"}});
    const Screen both = ScreenWith({tenSeconds, {5, 0, "size= 1kB time=5.00 bitrate"}});
    EXPECT_EQ(RunWith({positionOnly, positionOnly, both}), (Values{50, 100}));
}

TEST_F(ConverterRunnerTest, ReportsThePositionAsAPercentageOfTheDuration) {
    const Screen noPosition = ScreenWith({tenSeconds});
    const Screen half = ScreenWith({tenSeconds, {5, 0, "size= 1kB time=5.00 bitrate=1.0"}});
    const Screen modern = ScreenWith({tenSeconds, {5, 0, "size= 1kB time=00:00:07.50 bitrate"}});
    // Hundredths count as they stand in the shared unit: 7.50 is 7050, hence 70.
    EXPECT_EQ(RunWith({noPosition, half, modern}), (Values{0, 50, 70, 100}));
    EXPECT_EQ(runner.durationValue, 10000);
    EXPECT_EQ(runner.positionValue, 7050);
}

TEST_F(ConverterRunnerTest, WorkedExampleGivesFivePercentInBothTimeForms) {
    const Text duration{0, 0, "  Duration: 00:03:25.47, start"};
    EXPECT_EQ(RunWith({ScreenWith({duration, {9, 0, "time=12.34 "}}),
                       ScreenWith({duration, {9, 0, "time=00:00:12.34 bitrate"}})}),
              (Values{5, 5, 100}));
    EXPECT_EQ(runner.durationValue, 205047);
    EXPECT_EQ(runner.positionValue, 12034);
}

TEST_F(ConverterRunnerTest, PositionPastTheDurationReports99UntilTheEnd) {
    EXPECT_EQ(RunWith({ScreenWith({tenSeconds, {5, 0, "time=00:00:10.00 "}}),
                       ScreenWith({tenSeconds, {5, 0, "time=00:01:00.00 "}})}),
              (Values{99, 99, 100}));
}

TEST_F(ConverterRunnerTest, DurationStaysKnownAfterScrollingOffAndPositionKeepsItsLastValue) {
    EXPECT_EQ(RunWith({ScreenWith({tenSeconds, {5, 0, "time=00:00:02.00 "}}),
                       ScreenWith({{24, 0, "time=00:00:04.00 "}}), ScreenWith({})}),
              (Values{20, 40, 40, 100}));
}

TEST_F(ConverterRunnerTest, TheLastMatchOnTheScreenCounts) {
    EXPECT_EQ(RunWith({ScreenWith({{0, 0, "Duration: 00:01:40.00"},
                                   tenSeconds,
                                   {10, 0, "time=00:00:02.00 "},
                                   {11, 0, "time=00:00:03.00 "}})}),
              (Values{30, 100}));
}

TEST_F(ConverterRunnerTest, DurationKeyNearARowsEndRunsOnIntoTheNextRow) {
    EXPECT_EQ(RunWith({ScreenWith({{3, 75, "Duration: 00:00:10.00"}, {9, 0, "time=5.00 "}})}),
              (Values{50, 100}));
}

TEST_F(ConverterRunnerTest, OnTheLastRowAKeyMustEndByColumn78) {
    // "Duration: " from column 69 ends at column 78; its hours are the screen's last cell, and
    // the rest of the number lies past the screen and reads as nothing.
    EXPECT_EQ(RunWith({ScreenWith({{24, 69, "Duration: 1"}, {0, 0, "time=1800.00 "}})}),
              (Values{50, 100}));
    EXPECT_EQ(runner.durationValue, 3600000);
    values.clear();
    EXPECT_EQ(RunWith({ScreenWith({{24, 70, "Duration: 1"}, {0, 0, "time=1800.00 "}})}),
              (Values{100}));

    const Text duration{0, 0, "Duration: 00:00:10.00"};
    values.clear();
    EXPECT_EQ(RunWith({ScreenWith({duration, {24, 74, "time=5"}})}), (Values{50, 100}));
    values.clear();
    EXPECT_EQ(RunWith({ScreenWith({duration, {24, 75, "time="}})}), (Values{0, 100}));
}

TEST_F(ConverterRunnerTest, PositionCutOffByTheScreensEndIsReadFromTheCellsThatExist) {
    Screen screen = ScreenWith({tenSeconds});
    ScriptedConsole::Put(screen, 23, 75, "time=" + std::string(80, '7'));
    EXPECT_EQ(RunWith({screen}), (Values{99, 100}));
}

TEST_F(ConverterRunnerTest, AbsurdNumbersSaturateInsteadOfOverflowing) {
    std::string fields;
    for (int i = 0; i < 40; ++i) {
        fields += "-99999999999:";
    }
    EXPECT_EQ(RunWith({ScreenWith({tenSeconds, {5, 0, "time=" + fields + "9.99 "}}),
                       ScreenWith({tenSeconds, {5, 0, "time=99999999999999.99 "}})}),
              (Values{0, 99, 100}));
}

// A source that does not say its length (Ogg or WebM recorded in one pass) must not leave the
// progress at zero: each poll says the length is not known, which makes a dialog pulse.
TEST_F(ConverterRunnerTest, DurationNotKnownReportsMinusOneEachPollAndNeverPrintedOnlyTheEnd) {
    const Screen unknown =
        ScreenWith({{1, 2, "Duration: N/A, start: 0.000000, bitrate: N/A"}, {3, 0, "time=5.00 "}});
    EXPECT_EQ(RunWith({unknown, unknown}), (Values{-1, -1, 100}));
    EXPECT_EQ(runner.durationValue, 0);
    values.clear();
    EXPECT_EQ(RunWith({ScreenWith({{3, 0, "time=5.00 "}}), ScreenWith({})}), (Values{100}));
    EXPECT_EQ(runner.durationValue, -1);
}

TEST_F(ConverterRunnerTest, CharactersBeyondEightBitsNeverMatch) {
    Screen screen = ScreenWith({{0, 0, "Duration: 00:00:10.00"}, {1, 0, "time=5.00 "}});
    screen[1 * 80 + 2] = U'\u016D'; // Its low 8 bits are "m".
    EXPECT_EQ(RunWith({screen}), (Values{0, 100}));
}

TEST_F(ConverterRunnerTest, AFailedScreenCopySkipsThatPoll) {
    console->failingReads = {1};
    const Screen half = ScreenWith({tenSeconds, {5, 0, "time=5.00 "}});
    const Screen most = ScreenWith({tenSeconds, {5, 0, "time=9.00 "}});
    EXPECT_EQ(RunWith({half, half, most}), (Values{50, 90, 100}));
}

TEST_F(ConverterRunnerTest, StartsTheConverterWithTheSplitArgumentVector) {
    RunWith({});
    EXPECT_EQ(console->clearCount, 1);
    EXPECT_EQ(console->startedProgram, "temp/ffmpeg");
    EXPECT_EQ(console->startedArgs, (std::vector<std::string>{"temp/ffmpeg", "-i", "in.mp3"}));

    runner.Run(BuildConverterArguments(L"/m/a \"b\".mp3", L"temp/current.wav"), nullptr, nullptr);
    EXPECT_EQ(console->startedArgs,
              (std::vector<std::string>{"temp/ffmpeg", "-i", "/m/a \"b\".mp3", "-y",
                                        "-map_metadata", "0", "-map_metadata", "0:s:a:0", "-f",
                                        "wav", "-acodec", "pcm_s16le", "temp/current.wav"}));
}

TEST_F(ConverterRunnerTest, KeepsTheExitStatusAndTheLastLinesOfTheFinalScreen) {
    console->exitCode = 1;
    std::vector<Text> texts;
    texts.reserve(15);
    for (int row = 0; row < 14; ++row) {
        texts.push_back({row, 0, "line " + std::to_string(row) + "   "});
    }
    texts.push_back({20, 0, "/m/in.mp3: Invalid data found when processing input"});
    RunWith({ScreenWith(texts)});
    EXPECT_EQ(runner.exitStatus, 1);
    EXPECT_FALSE(runner.Succeeded());
    ASSERT_EQ(runner.lastLines.size(), 10U);
    EXPECT_EQ(runner.lastLines.front(), "line 5");
    EXPECT_EQ(runner.lastLines.back(), "/m/in.mp3: Invalid data found when processing input");

    console->exitCode = 0;
    RunWith({});
    EXPECT_TRUE(runner.Succeeded());
    EXPECT_TRUE(runner.lastLines.empty());
}

TEST_F(ConverterRunnerTest, LastLinesShowCellsPastUnicodeAsTheReplacementCharacter) {
    Screen screen = ScreenWith({{3, 0, "bad  cell"}});
    screen[3 * 80 + 3] = 0x410000;
    screen[3 * 80 + 4] = U'\u00E9';
    RunWith({screen});
    EXPECT_EQ(runner.lastLines, std::vector<std::string>{"bad\xEF\xBF\xBD\xC3\xA9"
                                                         "cell"});
}

TEST_F(ConverterRunnerTest, FailsWithoutAnyCallbackWhenTheConsoleOrTheConverterIsUnusable) {
    console->clearSucceeds = false;
    EXPECT_FALSE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_TRUE(console->startedProgram.empty());

    console->clearSucceeds = true;
    console->startSucceeds = false;
    EXPECT_FALSE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_FALSE(runner.started);

    SetProcessConsole(nullptr);
    EXPECT_FALSE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_TRUE(values.empty());
}

TEST_F(ConverterRunnerTest, DurationThatScrolledOffBeforeTheFirstPollIsStillFoundAndKept) {
    // The first poll's screen shows only tags and the progress line; the duration went by in
    // the rows that scrolled off, and later screens show neither.
    std::vector<HiddenConsole::Row> gone = {
        ScriptedConsole::RowOf("Input #0, mp3, from 'tagged.mp3':"),
        ScriptedConsole::RowOf("  Metadata:")};
    gone.push_back(ScriptedConsole::RowOf("  Duration: 00:00:10.00, start: 0.025057"));
    for (int tag = 0; tag < 30; ++tag) {
        gone.push_back(ScriptedConsole::RowOf("    tag" + std::to_string(tag) + ": value"));
    }
    Screen first = ScriptedConsole::Blank();
    ScriptedConsole::Put(first, 24, 0, "size=  1kB time=00:00:02.00 bitrate=1.0kbits/s");
    Screen second = ScriptedConsole::Blank();
    ScriptedConsole::Put(second, 24, 0, "size=  9kB time=00:00:07.00 bitrate=1.0kbits/s");
    console->screens = {first, second};
    console->scrolled = {gone, {}};
    console->endingWait = 4;
    ASSERT_TRUE(runner.Run(L" -i \"tagged.mp3\"", Record, &values));
    EXPECT_EQ(values, (Values{20, 70, 100}));
    EXPECT_EQ(runner.durationValue, 10000);
}

TEST_F(ConverterRunnerTest, CancelEndsAHangingConverterWithinASecondAndReportsNo100) {
    console->hangs = true;
    int asked = 0;
    runner.cancelRequested = [&asked] { return ++asked == 3; };
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_TRUE(runner.cancelled);
    EXPECT_FALSE(runner.Succeeded());
    EXPECT_EQ(console->endCount, 1);
    EXPECT_EQ(console->endGrace, 1000);
    EXPECT_EQ(runner.exitStatus, -1);
    EXPECT_TRUE(values.empty());

    // A converter that ends by itself is never ended, and the next run starts afresh.
    console->hangs = false;
    console->endingWait = 4;
    runner.cancelRequested = [] { return false; };
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Record, &values));
    EXPECT_FALSE(runner.cancelled);
    EXPECT_EQ(console->endCount, 1);
    EXPECT_EQ(values, Values{100});
}

} // namespace
