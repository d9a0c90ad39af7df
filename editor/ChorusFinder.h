// Finds the catchiest part of a piece of music, the part that comes back most often (the
// chorus), in the chroma cells of its working file. Every range of the asked length that starts
// on a whole second is compared with every other range of that length, by the mean correlation
// of their cells along a diagonal of the self-similarity matrix, also with the later range
// shifted down one and two semitones, so that a last chorus sung higher still counts. A range
// scores by how far its three best partners (other occurrences, apart from each other) stand
// above its mean likeness to everything; loudness weighs less than one repetition, so a loud
// bridge heard once loses to a chorus heard three times. A verse comes back with its chorus as
// often as the chorus does, so a range that starts in the verse repeats as well as one that
// starts on the chorus; what tells them apart is the rise in level where the chorus comes in,
// which a range scores for at its start, so that the suggestion opens on the hook. Memory stays
// linear in the cells: the matrix is walked one diagonal at a time and never kept.
#pragma once

#include "editor/ChromaCells.h"

#include <cstdint>
#include <vector>

// In ruler seconds: from the start of second `start` to the start of second `end`.
struct RulerRange {
    int32_t start = 0;
    int32_t end = 0;
    bool operator==(const RulerRange&) const = default;
};

struct ChorusFinder {
    // The best range and up to four alternatives.
    static constexpr size_t kRanges = 5;

    // Ranges of `seconds` seconds, best first, overlapping each other by half at most;
    // shorter when the file is (at most 1 to `cells.seconds`); empty for a file shorter than
    // two seconds or seconds < 1.
    static std::vector<RulerRange> Suggest(const ChromaCells& cells, int32_t seconds);
};
