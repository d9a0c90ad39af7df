// Pop songs made up for the tests and the benchmark of the catchiest-part search: sections
// with their own chord progressions and melodies, a chorus that comes back with small changes,
// drums, and the truth about where each chorus lies. Deterministic for a given plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

struct SongPlan {
    // Sections in order: I intro, V verse, C chorus, B bridge, O outro.
    std::string form = "IVCVCBCCO";
    uint32_t seed = 1;
    double bpm = 120;
    // Key as semitones above C.
    int key = 0;
    // The bridge as loud as the chorus (else quieter, as verses are).
    bool loudBridge = false;
    // The last chorus a whole tone higher.
    bool lastChorusUp = false;
    int sampleRate = 11025;
    int channels = 1;
};

struct SongPart {
    double start = 0;
    double end = 0;
};

struct SyntheticSong {
    std::vector<int16_t> samples;
    std::vector<SongPart> choruses;
};

SyntheticSong MakeSong(const SongPlan& plan);

} // namespace twtest
