#include "wav/SecondScanner.h"

#include <algorithm>
#include <utility>

namespace {

// 64 bytes of samples per step: four SSE2 registers of minima and four of maxima.
constexpr size_t kLanes = 32;

// Extremes of samples[0 .. count), where lane j sees the samples at j, j + kLanes, ...
// With an even kLanes and samples starting on a frame, even lanes carry channel 0 of a stereo
// stream and odd lanes channel 1. Branch-free so that it vectorises; the tail is left to the
// caller. Returns how many samples it took.
size_t ScanLanes(const int16_t* samples, size_t count, int16_t (&smallest)[kLanes],
                 int16_t (&largest)[kLanes]) {
    const size_t whole = count - count % kLanes;
    for (size_t i = 0; i < whole; i += kLanes) {
        for (size_t j = 0; j < kLanes; ++j) {
            const int16_t v = samples[i + j];
            smallest[j] = v < smallest[j] ? v : smallest[j];
            largest[j] = v > largest[j] ? v : largest[j];
        }
    }
    return whole;
}

void StartLanes(int16_t (&smallest)[kLanes], int16_t (&largest)[kLanes]) {
    std::fill(std::begin(smallest), std::end(smallest), INT16_MAX);
    std::fill(std::begin(largest), std::end(largest), INT16_MIN);
}

} // namespace

void SecondScanner::Extremes::Add(int16_t v) {
    smallest = std::min(smallest, v);
    largest = std::max(largest, v);
}

void SecondScanner::Extremes::Merge(const Extremes& other) {
    smallest = std::min(smallest, other.smallest);
    largest = std::max(largest, other.largest);
}

SecondScanner::SecondScanner(int32_t channelCount, int32_t rate, SecondFn callback)
    : channels(channelCount), sampleRate(rate), onSecond(std::move(callback)) {}

int32_t SecondScanner::BarHeight(int16_t smallest, int16_t largest) {
    const int64_t top = std::max<int64_t>(0, int64_t{largest} + 32767);
    const int64_t bottom = int64_t{smallest} + 32767;
    return static_cast<int32_t>((top - bottom) * 40 / 65536);
}

void SecondScanner::Feed(const int16_t* samples, size_t frames) {
    const size_t width = static_cast<size_t>(channels);
    while (frames > 0) {
        const size_t left = static_cast<size_t>(sampleRate - framesInSecond);
        const size_t part = std::min(frames, left);
        FeedPart(samples, part);
        framesInSecond += static_cast<int32_t>(part);
        samples += part * width;
        frames -= part;
        if (framesInSecond == sampleRate) {
            EndSecond();
        }
    }
}

void SecondScanner::FeedPart(const int16_t* samples, size_t frames) {
    int16_t smallest[kLanes];
    int16_t largest[kLanes];
    StartLanes(smallest, largest);
    if (channels == 1) {
        if (framesInSecond == 0) {
            upper.Add(samples[0]);
            ++samples;
            --frames;
        }
        const size_t done = ScanLanes(samples, frames, smallest, largest);
        for (size_t j = 0; j < kLanes; ++j) {
            lower.Merge({smallest[j], largest[j]});
        }
        for (size_t i = done; i < frames; ++i) {
            lower.Add(samples[i]);
        }
        return;
    }
    if (channels == 2) {
        const size_t count = frames * 2;
        const size_t done = ScanLanes(samples, count, smallest, largest);
        for (size_t j = 0; j < kLanes; j += 2) {
            upper.Merge({smallest[j], largest[j]});
            lower.Merge({smallest[j + 1], largest[j + 1]});
        }
        for (size_t i = done; i < count; i += 2) {
            upper.Add(samples[i]);
            lower.Add(samples[i + 1]);
        }
        return;
    }
    // Wider frames are rare in a working file: a plain strided loop over the first two channels.
    const size_t width = static_cast<size_t>(channels);
    for (size_t f = 0; f < frames; ++f) {
        upper.Add(samples[f * width]);
        lower.Add(samples[f * width + 1]);
    }
}

void SecondScanner::EndSecond() {
    SecondBars bars;
    if (channels == 1) {
        // With one sample per second there is no later sample: the lower trace takes the same.
        const Extremes later = lower.Empty() ? upper : lower;
        Extremes all = upper;
        all.Merge(lower);
        bars.upper = BarHeight(all.smallest, all.largest);
        bars.lower = BarHeight(later.smallest, later.largest);
    } else {
        bars.upper = BarHeight(upper.smallest, upper.largest);
        bars.lower = BarHeight(lower.smallest, lower.largest);
    }
    onSecond(second, bars);
    ++second;
    framesInSecond = 0;
    upper = Extremes{};
    lower = Extremes{};
}
