#include "platform/linux/FrameRing.h"

#include <algorithm>

FrameRing::FrameRing(size_t capacityFrames) : data(capacityFrames * 2), capacity(capacityFrames) {}

size_t FrameRing::Space() const {
    return capacity - static_cast<size_t>(writePosition.load(std::memory_order_relaxed) -
                                          readPosition.load(std::memory_order_acquire));
}

size_t FrameRing::Write(const float* frames, size_t count) {
    const uint64_t position = writePosition.load(std::memory_order_relaxed);
    const size_t n = std::min(count, Space());
    const size_t start = static_cast<size_t>(position % capacity);
    const size_t first = std::min(n, capacity - start);
    std::copy(frames, frames + first * 2, data.begin() + static_cast<std::ptrdiff_t>(start * 2));
    std::copy(frames + first * 2, frames + n * 2, data.begin());
    writePosition.store(position + n, std::memory_order_release);
    return n;
}

size_t FrameRing::Available() const {
    return static_cast<size_t>(writePosition.load(std::memory_order_acquire) -
                               readPosition.load(std::memory_order_relaxed));
}

size_t FrameRing::Read(float* frames, size_t count) {
    const uint64_t position = readPosition.load(std::memory_order_relaxed);
    const size_t n = std::min(count, Available());
    const size_t start = static_cast<size_t>(position % capacity);
    const size_t first = std::min(n, capacity - start);
    const auto base = data.begin() + static_cast<std::ptrdiff_t>(start * 2);
    std::copy(base, base + static_cast<std::ptrdiff_t>(first * 2), frames);
    std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>((n - first) * 2),
              frames + first * 2);
    readPosition.store(position + n, std::memory_order_release);
    return n;
}

void FrameRing::Reset() {
    readPosition.store(0, std::memory_order_relaxed);
    writePosition.store(0, std::memory_order_relaxed);
}
