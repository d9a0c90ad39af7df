// The catchiest-part search on made-up songs: the best range lies on a chorus, even where the
// bridge is as loud as the chorus or the last chorus is a tone higher, and opens on a chorus.
#include "editor/ChorusFinder.h"
#include "SyntheticSong.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct SongCase {
    const char* name;
    twtest::SongPlan plan;
};

twtest::SongPlan Plan(const char* form, double bpm, int key, bool loudBridge, bool up, int rate,
                      int channels) {
    return {form, static_cast<uint32_t>(bpm * 31 + key), bpm, key, loudBridge, up, rate, channels};
}

} // namespace

TEST(ChorusFinder, suggestsAChorusFirstAndAlternativesOverlappingByHalfAtMost) {
    const std::vector<SongCase> cases = {
        {"double last chorus", Plan("IVCVCBCCO", 118, 0, false, false, 8000, 1)},
        {"loud bridge", Plan("IVCVCBCO", 126, 7, true, false, 11025, 2)},
        {"last chorus a tone higher", Plan("VCVCBCCO", 104, 3, false, true, 16000, 1)},
        {"loud bridge, a tone higher", Plan("IVCVCBCCO", 132, 9, true, true, 11025, 1)},
        {"verse three times", Plan("IVVCVCBCO", 112, 5, true, false, 11025, 1)},
        {"chorus first", Plan("ICVCVCBCO", 140, 2, false, true, 22050, 2)},
    };
    constexpr int kSeconds = 30;
    twtest::TempDir dir;
    for (const SongCase& c : cases) {
        SCOPED_TRACE(c.name);
        const twtest::SyntheticSong song = twtest::MakeSong(c.plan);
        const std::string path = dir.File("song.wav");
        ASSERT_TRUE(twtest::WriteWav(path, {c.plan.sampleRate, c.plan.channels}, song.samples));
        ChromaCells cells;
        ASSERT_EQ(cells.Analyse(path), WavError::None);
        const std::vector<RulerRange> ranges = ChorusFinder::Suggest(cells, kSeconds);
        ASSERT_GE(ranges.size(), 3u);
        double overlap = 0;
        double fromChorus = kSeconds;
        for (const twtest::SongPart& chorus : song.choruses) {
            overlap = std::max(overlap, std::min<double>(ranges[0].end - 1, chorus.end) -
                                            std::max<double>(ranges[0].start - 1, chorus.start));
            fromChorus = std::min(fromChorus, std::abs(ranges[0].start - 1 - chorus.start));
        }
        EXPECT_GE(2 * overlap, kSeconds) << ranges[0].start << ":" << ranges[0].end;
        EXPECT_LE(fromChorus, 2.0) << ranges[0].start << ":" << ranges[0].end;
        for (size_t i = 0; i < ranges.size(); ++i) {
            EXPECT_EQ(ranges[i].end - ranges[i].start, kSeconds);
            EXPECT_TRUE(ranges[i].start >= 1 && ranges[i].end <= cells.seconds);
            for (size_t j = 0; j < i; ++j) {
                EXPECT_GE(2 * std::abs(ranges[i].start - ranges[j].start), kSeconds);
            }
        }
    }
}
