// Accuracy of the catchiest-part search on made-up songs: for each of SONGS songs and each
// ringtone length, whether the best suggested range overlaps one of its choruses by at least
// half its length, and whether it starts within 2 s of a chorus's start, where a ringtone
// should open.
// Usage: suggest_bench FOLDER SONGS [SECONDS...]   (FOLDER takes the songs' WAV files; the
// lengths default to 15, 30 and 40 seconds)
#include "SyntheticSong.h"
#include "TestWav.h"
#include "editor/ChorusFinder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Plans of a varied set: tempos, keys, forms, loud bridges and key changes taken in turn.
twtest::SongPlan VariedPlan(int index) {
    static const std::array<const char*, 5> forms = {"IVCVCBCCO", "IVVCVCBCO", "VCVCBCCO",
                                                     "IVCVCCBCCO", "ICVCVCBCO"};
    twtest::SongPlan plan;
    plan.seed = static_cast<uint32_t>(1000 + 7919 * index);
    plan.form = forms[static_cast<size_t>(index) % forms.size()];
    plan.bpm = 100 + (index * 13) % 45;
    plan.key = (index * 5) % 12;
    plan.loudBridge = index % 2 == 1;
    plan.lastChorusUp = index % 3 == 2;
    return plan;
}

struct Tally {
    int seconds = 0;
    int overlaps = 0;
    int starts = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: suggest_bench FOLDER SONGS [SECONDS...]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int songs = std::stoi(argv[2]);
    std::vector<Tally> tallies;
    for (int a = 3; a < argc; ++a) {
        tallies.push_back({std::stoi(argv[a])});
    }
    if (tallies.empty()) {
        tallies = {{15}, {30}, {40}};
    }
    for (int i = 0; i < songs; ++i) {
        const twtest::SongPlan plan = VariedPlan(i);
        const twtest::SyntheticSong song = twtest::MakeSong(plan);
        const std::string path = folder + "/song" + std::to_string(i) + ".wav";
        ChromaCells cells;
        if (!twtest::WriteWav(path, {plan.sampleRate, plan.channels}, song.samples) ||
            cells.Analyse(path) != WavError::None) {
            std::fprintf(stderr, "%s: can't be written or read\n", path.c_str());
            return 1;
        }
        for (Tally& tally : tallies) {
            const std::vector<RulerRange> ranges = ChorusFinder::Suggest(cells, tally.seconds);
            const double start = ranges.at(0).start - 1;
            double overlap = 0;
            double nearest = 1e9;
            for (const twtest::SongPart& chorus : song.choruses) {
                const double to = std::min<double>(ranges[0].end - 1, chorus.end);
                overlap = std::max(overlap, to - std::max(start, chorus.start));
                if (std::fabs(start - chorus.start) < std::fabs(nearest)) {
                    nearest = start - chorus.start;
                }
            }
            const bool overlapHit = 2 * overlap >= tally.seconds;
            const bool startHit = std::fabs(nearest) <= 2.0;
            tally.overlaps += overlapHit ? 1 : 0;
            tally.starts += startHit ? 1 : 0;
            std::printf(
                "song %2d %-10s %3.0f bpm%s%s, %2d s: %d:%d overlap %4.1f s%s, start %+5.1f "
                "s from a chorus%s\n",
                i, plan.form.c_str(), plan.bpm, plan.loudBridge ? ", loud bridge" : "",
                plan.lastChorusUp ? ", last chorus up" : "", tally.seconds, ranges[0].start,
                ranges[0].end, overlap, overlapHit ? "" : " MISS", nearest,
                startHit ? "" : " MISS");
        }
    }
    for (const Tally& tally : tallies) {
        std::printf("accuracy %d %d %d %d\n", tally.seconds, tally.overlaps, tally.starts, songs);
    }
    return 0;
}
