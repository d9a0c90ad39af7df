// Turns interleaved 16-bit samples into one pair of bar heights per whole second: the upper
// trace follows channel 0 and the lower trace channel 1 (for mono, the sample after the upper
// trace's, never reaching past the second). A streaming processor: feed it whole frames in
// blocks of any size, it reports each second as soon as its last frame has arrived and keeps
// no samples, so memory stays constant whatever the file's length.
// The inner loop is integer min/max over lanes that the compiler turns into vector code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Heights in pixels, 0 to 39, of the bars above and below the centre gap.
struct SecondBars {
    int32_t upper = 0;
    int32_t lower = 0;
};

class SecondScanner {
public:
    // second counts from 0 (the picture's column).
    using SecondFn = std::function<void(int32_t second, SecondBars bars)>;

    // channels and sampleRate must be positive.
    SecondScanner(int32_t channels, int32_t sampleRate, SecondFn onSecond);

    // samples holds frames x channels interleaved samples. A part second at the end stays
    // pending until the next Feed completes it.
    void Feed(const int16_t* samples, size_t frames);

    // floor(swing x 40 / 65536) where swing is the trace's peak-to-peak distance measured as
    // the largest sample + 32767 (at least 0) minus the smallest sample + 32767.
    static int32_t BarHeight(int16_t smallest, int16_t largest);

    struct Extremes {
        int16_t smallest = INT16_MAX;
        int16_t largest = INT16_MIN;
        void Add(int16_t v);
        void Merge(const Extremes& other);
        bool Empty() const { return smallest > largest; }
    };

private:
    void FeedPart(const int16_t* samples, size_t frames);
    void EndSecond();

    int32_t channels;
    int32_t sampleRate;
    SecondFn onSecond;
    int32_t second = 0;
    int32_t framesInSecond = 0;
    // Stereo and wider: channel 0 and channel 1. Mono: upper holds the second's first sample,
    // lower every later sample; the upper trace is both together.
    Extremes upper;
    Extremes lower;
};
