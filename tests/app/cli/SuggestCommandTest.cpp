// "tonewick-cli suggest" and --cut auto: the lines they print and what they refuse.
#include "app/cli/SuggestCommand.h"
#include "EditorRig.h"
#include "SyntheticSong.h"
#include "TempDir.h"
#include "TestWav.h"
#include "app/cli/RenderCommand.h"
#include "editor/ChorusFinder.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(SuggestCommand, printsTheRangesBestFirstAndRefusesWhatItCannotDo) {
    twtest::TempDir dir;
    const std::string song = dir.File("song.wav");
    const std::string short20 = dir.File("short.wav");
    twtest::SongPlan plan;
    plan.sampleRate = 8000;
    ASSERT_TRUE(twtest::WriteWav(song, {8000, 1}, twtest::MakeSong(plan).samples));
    ASSERT_TRUE(twtest::WriteWav(short20, {8000, 2}, twtest::Pattern(2, 8000, 20)));
    ChromaCells cells;
    ASSERT_EQ(cells.Analyse(song), WavError::None);
    std::string best;
    for (const RulerRange& r : ChorusFinder::Suggest(cells, 25)) {
        best += std::to_string(r.start) + ":" + std::to_string(r.end) + "\n";
    }
    ASSERT_EQ(std::count(best.begin(), best.end(), '\n'), 5);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::string missing = dir.File("none.wav");
    const std::vector<Case> cases = {
        {{song, "--seconds", "25"}, 0, best, ""},
        {{short20}, 0, "1:20\n", ""},
        {{song, "--seconds", "0"},
         2,
         "",
         "tonewick-cli suggest: --seconds takes a whole number of seconds from 1, not '0'\n"},
        {{missing}, 1, "", "tonewick-cli suggest: " + missing + ": no such file\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::ostringstream out, err;
        EXPECT_EQ(RunSuggestCommand(c.args, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
    std::ostringstream out, err;
    const std::string ring = dir.File("ring.wav");
    ASSERT_EQ(RunRenderCommand({song, "--cut", "auto:26", "--silence", "1", "-o", ring}, out, err),
              0)
        << err.str();
    EXPECT_EQ(out.str(), ring + ": 26 seconds, 8000 Hz, 1 channel\n");
}
