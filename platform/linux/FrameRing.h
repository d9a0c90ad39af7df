// A single-producer, single-consumer ring of interleaved stereo float frames, with no locks:
// the feeder thread writes, the device callback reads. Positions only grow; each side owns
// its own and reads the other's.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class FrameRing {
public:
    explicit FrameRing(size_t capacityFrames);

    // For the writer only.
    size_t Space() const;
    // Writes min(count, Space()) frames; returns how many.
    size_t Write(const float* frames, size_t count);

    // For the reader only.
    size_t Available() const;
    // Reads min(count, Available()) frames; returns how many.
    size_t Read(float* frames, size_t count);

    // Empties the ring. Only while neither side is using it.
    void Reset();

private:
    std::vector<float> data;
    size_t capacity;
    std::atomic<uint64_t> readPosition{0};  // frames read so far
    std::atomic<uint64_t> writePosition{0}; // frames written so far
};
