#include "widgets/EditedWave.h"

#include "wav/WaveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Copies the timeline bytes [from, to) of a block that starts at timeline offset q, taking
// timeline offset x from data offset x - shift. Data offsets outside [0, dataSize) stay zero,
// and so does whatever a short read leaves.
void ReadRun(int fd, uint8_t* block, int64_t q, int64_t from, int64_t to, int64_t shift,
             int64_t dataOffset, int64_t dataSize) {
    const int64_t first = std::max<int64_t>(from - shift, 0);
    const int64_t last = std::min<int64_t>(to - shift, dataSize);
    if (last <= first) {
        return;
    }
    uint8_t* dest = block + (first + shift - q);
    size_t wanted = static_cast<size_t>(last - first);
    off_t at = static_cast<off_t>(dataOffset + first);
    while (wanted > 0) {
        const ssize_t got = ::pread(fd, dest, wanted, at);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return;
        }
        dest += got;
        at += got;
        wanted -= static_cast<size_t>(got);
    }
}

// Index of the first word k (at byte 2k, timeline offset q + 2k) with q + 2k >= x, within
// [0, words].
int64_t FirstWordFrom(int64_t q, int64_t x, int64_t words) {
    const int64_t bytes = x - q;
    const int64_t k = bytes <= 0 ? 0 : (bytes + 1) / 2;
    return std::min(k, words);
}

int16_t Word(const uint8_t* block, int64_t k) {
    int16_t w;
    std::memcpy(&w, block + 2 * k, sizeof w);
    return w;
}

void SetWord(uint8_t* block, int64_t k, int16_t w) {
    std::memcpy(block + 2 * k, &w, sizeof w);
}

// A linear fade over the timeline bytes [start, start + length): the gain of the word at
// timeline offset x is g = (x - start) / length clamped to [0, 1] (fade-in) or 1 - g
// (fade-out), and the product is truncated toward zero. Only blocks that touch the fade are
// changed. Words where the gain is exactly 0 or 1 are cleared or kept without arithmetic,
// which gives the same result; so does a zero length, where the word at `start` (0 / 0) is
// kept by a fade-in and cleared by a fade-out.
void ApplyFade(uint8_t* block, int64_t n, int64_t q, int64_t start, int64_t length, bool in) {
    if (n <= 0 || q + n < start || q > start + length) {
        return;
    }
    const int64_t words = n / 2;
    const int64_t rampEnd = FirstWordFrom(q, start + length, words);
    const int64_t rampBegin = std::min(FirstWordFrom(q, start + 1, words), rampEnd);
    const double span = static_cast<double>(length);
    for (int64_t k = rampBegin; k < rampEnd; ++k) {
        const double g = static_cast<double>(q + 2 * k - start) / span;
        const double gain = in ? g : 1.0 - g;
        SetWord(block, k, static_cast<int16_t>(static_cast<int32_t>(Word(block, k) * gain)));
    }
    if (in) {
        std::memset(block, 0, static_cast<size_t>(2 * rampBegin));
    } else {
        std::memset(block + 2 * rampEnd, 0, static_cast<size_t>(2 * (words - rampEnd)));
    }
}

} // namespace

void EditedWave::SetMedia(const WavHeader& header, const std::string& path) {
    channels = header.channels;
    sampleRate = header.sampleRate;
    bitsPerSample = header.bitsPerSample;
    byteRate = header.byteRate;
    dataOffset = header.dataOffset;
    dataSize = header.dataSize;
    durationSeconds = header.durationSeconds;
    renderPath = path;
    loaded = true;
}

WavError EditedWave::LoadMedia(const std::string& path) {
    WaveFile file;
    const WavError result = file.Open(path);
    if (result == WavError::None) {
        SetMedia(file.header, path);
    }
    return result;
}

int32_t EditedWave::RenderEdited(void* buffer, int32_t length, int32_t position) const {
    const int fd = ::open(renderPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    // One snapshot per block: the user-interface thread may change any of these meanwhile.
    const int64_t rate = byteRate.load(kRelaxed);
    const int64_t offset = dataOffset.load(kRelaxed);
    const int64_t size = dataSize.load(kRelaxed);
    const int64_t silence = (int64_t{silenceStart.load(kRelaxed)} - 1) * rate;
    const int64_t gap = std::max<int64_t>(silenceLength.load(kRelaxed), 0) * rate;
    const int64_t fadeIn = (int64_t{fadeInStart.load(kRelaxed)} - 1) * rate;
    const int64_t fadeInBytes = int64_t{fadeInLength.load(kRelaxed)} * rate;
    const int64_t fadeOut = (int64_t{fadeOutStart.load(kRelaxed)} - 1) * rate;
    const int64_t fadeOutBytes = int64_t{fadeOutLength.load(kRelaxed)} * rate;

    const int64_t n = std::max(length, 0);
    auto* block = static_cast<uint8_t*>(buffer);
    std::memset(block, 0, static_cast<size_t>(n));
    // Timeline offset of the block's first byte; the silence covers [silence, silence + gap).
    const int64_t q = int64_t{position} - rate;
    ReadRun(fd, block, q, q, std::min(q + n, silence), 0, offset, size);
    ReadRun(fd, block, q, std::max(q, silence + gap), q + n, gap, offset, size);
    ::close(fd);

    ApplyFade(block, n, q, fadeIn, fadeInBytes, true);
    ApplyFade(block, n, q, fadeOut, fadeOutBytes, false);
    return static_cast<int32_t>(n);
}
