#include "editor/ChorusFinder.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int32_t kShifts = 3;
constexpr int32_t kPartners = 3;
// Weight of the range's loudness (0 to 1) against its repetition.
constexpr float kLoudnessWeight = 0.6F;
// Neighbouring starts this close in score may trade places for a stronger onset.
constexpr float kSnapTolerance = 0.03F;
// Weight of the rise in level at a range's start (0 to 1) against its repetition: a ringtone
// should open on the chorus's first beat, where the music gets louder, not in the verse before
// it, which repeats with the chorus as often as the chorus does.
constexpr float kHookWeight = 2.0F;
// The rise is the level of this many seconds after the start against as many before it.
constexpr double kHookSeconds = 4.0;

// The best partners of one range, strongest first, each at least `spacing` cells from the rest.
struct Partners {
    std::array<float, kPartners> likeness{-2, -2, -2};
    std::array<int32_t, kPartners> cell{-1, -1, -1};

    void Offer(float v, int32_t at, int32_t spacing) {
        for (int32_t j = 0; j < kPartners; ++j) {
            if (cell[j] >= 0 && std::abs(cell[j] - at) < spacing) {
                if (v <= likeness[j]) {
                    return;
                }
                Remove(j);
                break;
            }
        }
        int32_t j = kPartners - 1;
        if (v <= likeness[j]) {
            return;
        }
        for (; j > 0 && likeness[j - 1] < v; --j) {
            likeness[j] = likeness[j - 1];
            cell[j] = cell[j - 1];
        }
        likeness[j] = v;
        cell[j] = at;
    }
    void Remove(int32_t j) {
        for (; j + 1 < kPartners; ++j) {
            likeness[j] = likeness[j + 1];
            cell[j] = cell[j + 1];
        }
        likeness[kPartners - 1] = -2;
        cell[kPartners - 1] = -1;
    }
};

// The cells' chroma turned down by 0, 1 and 2 semitones.
std::vector<float> Shifted(const ChromaCells& cells) {
    constexpr int32_t p = ChromaCells::kPitchClasses;
    std::vector<float> out(static_cast<size_t>(kShifts) * cells.chroma.size());
    for (size_t c = 0; c < cells.chroma.size() / p; ++c) {
        for (int32_t k = 0; k < kShifts; ++k) {
            for (int32_t i = 0; i < p; ++i) {
                out[(c * kShifts + static_cast<size_t>(k)) * p + static_cast<size_t>(i)] =
                    cells.chroma[c * p + static_cast<size_t>((i + k) % p)];
            }
        }
    }
    return out;
}

// Repetition score of the range of `width` cells starting at each cell.
std::vector<float> RepetitionScores(const ChromaCells& cells, int32_t width) {
    constexpr int32_t p = ChromaCells::kPitchClasses;
    const int32_t n = cells.Cells();
    std::vector<Partners> partners(static_cast<size_t>(n));
    std::vector<double> likenessSum(static_cast<size_t>(n), 0.0);
    std::vector<int32_t> likenessCount(static_cast<size_t>(n), 0);
    const std::vector<float> shifted = Shifted(cells);
    // Ranges that overlap by more than a quarter are the same passage, not a repetition.
    const int32_t minimumLag = std::max(1, (3 * width + 3) / 4);
    std::array<std::vector<double>, kShifts> running;
    for (std::vector<double>& r : running) {
        r.resize(static_cast<size_t>(n) + 1);
    }
    for (int32_t lag = minimumLag; lag + width <= n; ++lag) {
        const int32_t length = n - lag;
        for (int32_t k = 0; k < kShifts; ++k) {
            std::vector<double>& sum = running[static_cast<size_t>(k)];
            for (int32_t a = 0; a < length; ++a) {
                const float* later =
                    &shifted[(static_cast<size_t>(a + lag) * kShifts + static_cast<size_t>(k)) * p];
                const float* earlier = &cells.chroma[static_cast<size_t>(a) * p];
                float dot = 0;
                for (int32_t i = 0; i < p; ++i) {
                    dot += later[i] * earlier[i];
                }
                sum[static_cast<size_t>(a) + 1] = sum[static_cast<size_t>(a)] + dot;
            }
        }
        for (int32_t a = 0; a + width <= length; ++a) {
            double best = -1;
            for (const std::vector<double>& sum : running) {
                best = std::max(best,
                                sum[static_cast<size_t>(a + width)] - sum[static_cast<size_t>(a)]);
            }
            const auto v = static_cast<float>(best / width);
            const auto ua = static_cast<size_t>(a);
            const auto ub = static_cast<size_t>(a + lag);
            partners[ua].Offer(v, a + lag, width);
            partners[ub].Offer(v, a, width);
            likenessSum[ua] += v;
            likenessSum[ub] += v;
            ++likenessCount[ua];
            ++likenessCount[ub];
        }
    }
    std::vector<float> scores(static_cast<size_t>(n), 0.0F);
    for (size_t a = 0; a < scores.size(); ++a) {
        if (likenessCount[a] == 0) {
            continue;
        }
        const auto background = static_cast<float>(likenessSum[a] / likenessCount[a]);
        for (int32_t j = 0; j < kPartners; ++j) {
            if (partners[a].cell[j] >= 0) {
                scores[a] += std::max(0.0F, partners[a].likeness[j] - background);
            }
        }
    }
    return scores;
}

// How much louder the `span` cells from each cell on are than the `span` cells before it, 0
// where they are quieter and where the file's start leaves no cells before.
std::vector<float> LevelRises(const ChromaCells& cells, int32_t span) {
    std::vector<double> sum(cells.level.size() + 1, 0.0);
    for (size_t c = 0; c < cells.level.size(); ++c) {
        sum[c + 1] = sum[c] + cells.level[c];
    }
    const auto n = static_cast<int32_t>(cells.level.size());
    const auto mean = [&](int32_t from, int32_t to) {
        to = std::min(to, n);
        return (sum[static_cast<size_t>(to)] - sum[static_cast<size_t>(from)]) / (to - from);
    };
    std::vector<float> rises(cells.level.size(), 0.0F);
    for (int32_t c = span; c < n; ++c) {
        rises[static_cast<size_t>(c)] =
            static_cast<float>(std::max(0.0, mean(c, c + span) - mean(c - span, c)));
    }
    return rises;
}

struct Candidate {
    int32_t second = 0; // time in seconds at which the range starts
    int32_t cell = 0;
    float score = 0;
};

} // namespace

std::vector<RulerRange> ChorusFinder::Suggest(const ChromaCells& cells, int32_t seconds) {
    // A range may end at the start of the file's last whole second at the latest.
    const int32_t length = std::min(seconds, cells.seconds - 1);
    if (length < 1 || cells.Cells() == 0) {
        return {};
    }
    const int32_t fps = ChromaCells::kFramesPerSecond;
    const int32_t width = std::max(
        1, static_cast<int32_t>(std::lround(static_cast<double>(length) * fps / cells.cellFrames)));
    const std::vector<float> repetition = RepetitionScores(cells, width);

    std::vector<Candidate> candidates;
    float loudest = 0;
    for (int32_t cell = 0; cell < cells.Cells(); ++cell) {
        const double start = cells.CellTime(cell);
        const auto second = static_cast<int32_t>(start);
        if (start != second || second + length > cells.seconds - 1) {
            continue;
        }
        float level = 0;
        for (int32_t c = cell; c < std::min(cell + width, cells.Cells()); ++c) {
            level += cells.level[static_cast<size_t>(c)] / static_cast<float>(width);
        }
        loudest = std::max(loudest, level);
        candidates.push_back({second, cell, level});
    }
    const std::vector<float> rises = LevelRises(
        cells,
        std::max(1, static_cast<int32_t>(std::lround(kHookSeconds * fps / cells.cellFrames))));
    for (Candidate& c : candidates) {
        const auto at = static_cast<size_t>(c.cell);
        const float loudness = loudest > 0 ? c.score / loudest : 0;
        const float rise = loudest > 0 ? rises[at] / loudest : 0;
        c.score = repetition[at] + kLoudnessWeight * loudness + kHookWeight * rise;
    }
    // Candidates are in time order, one per whole second from the first.
    const std::vector<Candidate> byTime = candidates;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });

    std::vector<RulerRange> ranges;
    for (const Candidate& c : candidates) {
        if (ranges.size() == kRanges) {
            break;
        }
        // Snap onto the strongest onset among the neighbours that score nearly as well.
        int32_t start = c.second;
        const size_t at = static_cast<size_t>(
            std::lower_bound(byTime.begin(), byTime.end(), c.second,
                             [](const Candidate& a, int32_t s) { return a.second < s; }) -
            byTime.begin());
        for (size_t i = at > 0 ? at - 1 : at; i < std::min(at + 2, byTime.size()); ++i) {
            const Candidate& n = byTime[i];
            if (std::abs(n.second - c.second) == 1 &&
                n.score >= c.score - kSnapTolerance * std::abs(c.score) &&
                cells.onset[static_cast<size_t>(n.second)] >
                    cells.onset[static_cast<size_t>(start)]) {
                start = n.second;
            }
        }
        const bool overlaps = std::any_of(ranges.begin(), ranges.end(), [&](RulerRange r) {
            return 2 * (length - std::abs(r.start - 1 - start)) > length;
        });
        if (!overlaps) {
            ranges.push_back({start + 1, start + 1 + length});
        }
    }
    return ranges;
}
