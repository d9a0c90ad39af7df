// Accuracy of the catchiest-part search on made-up songs: for each of SONGS songs, whether the
// best suggested range overlaps one of its choruses by at least half its length.
// Usage: suggest_bench FOLDER SONGS [SECONDS]   (FOLDER takes the songs' WAV files)
#include "SyntheticSong.h"
#include "TestWav.h"
#include "editor/ChorusFinder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

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

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: suggest_bench FOLDER SONGS [SECONDS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int songs = std::stoi(argv[2]);
    const int seconds = argc > 3 ? std::stoi(argv[3]) : 30;
    int right = 0;
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
        const std::vector<RulerRange> ranges = ChorusFinder::Suggest(cells, seconds);
        double overlap = 0;
        for (const twtest::SongPart& chorus : song.choruses) {
            const double from = std::max<double>(ranges.at(0).start - 1, chorus.start);
            const double to = std::min<double>(ranges.at(0).end - 1, chorus.end);
            overlap = std::max(overlap, to - from);
        }
        const bool hit = 2 * overlap >= seconds;
        right += hit ? 1 : 0;
        std::printf("song %2d %-10s %3.0f bpm%s%s: %d:%d overlap %4.1f s %s\n", i,
                    plan.form.c_str(), plan.bpm, plan.loudBridge ? ", loud bridge" : "",
                    plan.lastChorusUp ? ", last chorus up" : "", ranges[0].start, ranges[0].end,
                    overlap, hit ? "hit" : "MISS");
    }
    std::printf("accuracy %d of %d\n", right, songs);
    return 0;
}
