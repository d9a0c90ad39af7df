// libFuzzer target: arbitrary bytes as a working WAV file, through the header parser and the
// per-second scan, once from memory and once through WaveFile reading a memory-backed file.
// Checks that both agree, that every bar lies within 0 to 39 and that exactly the header's
// whole seconds are reported. scripts/test runs it for 10 s, tests/fuzz/run as long as asked.
#include "wav/SecondScanner.h"
#include "wav/WavHeader.h"
#include "wav/WaveFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<SecondBars> ScanMemory(const WavHeader& h, const uint8_t* data, size_t size) {
    std::vector<SecondBars> bars;
    SecondScanner scanner(h.channels, h.sampleRate, [&](int32_t second, SecondBars b) {
        Check(second == static_cast<int32_t>(bars.size()));
        bars.push_back(b);
    });
    const size_t frameBytes = static_cast<size_t>(h.channels) * 2;
    const size_t frames =
        static_cast<size_t>(h.durationSeconds) * static_cast<size_t>(h.sampleRate);
    Check(static_cast<size_t>(h.dataOffset) + frames * frameBytes <= size);
    // Copied so that the samples are aligned, fed in uneven pieces to cross seconds mid-feed.
    std::vector<int16_t> samples(frames * static_cast<size_t>(h.channels));
    if (!samples.empty()) {
        std::memcpy(samples.data(), data + h.dataOffset, samples.size() * 2);
    }
    size_t done = 0;
    for (size_t piece = 1; done < frames; piece = piece * 3 + 1) {
        const size_t n = std::min(piece, frames - done);
        scanner.Feed(samples.data() + done * static_cast<size_t>(h.channels), n);
        done += n;
    }
    return bars;
}

std::vector<SecondBars> ScanFile(const uint8_t* data, size_t size, WavError& error) {
    std::vector<SecondBars> bars;
    const int fd = memfd_create("wav", 0);
    Check(fd >= 0);
    Check(write(fd, data, size) == static_cast<ssize_t>(size));
    WaveFile file;
    error = file.Open("/proc/self/fd/" + std::to_string(fd));
    if (error == WavError::None) {
        error = file.ScanSeconds([&](int32_t, SecondBars b) { bars.push_back(b); });
    }
    close(fd);
    return bars;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavHeader header;
    const WavError parsed = header.Parse(data, size, static_cast<int64_t>(size));
    WavError read = WavError::None;
    const auto fromFile = ScanFile(data, size, read);
    if (parsed != WavError::None) {
        Check(read == parsed);
        return 0;
    }
    Check(read == WavError::None);
    Check(header.channels > 0 && header.sampleRate > 0 && header.byteRate > 0);
    Check(header.dataSize >= 0 && header.durationSeconds == header.dataSize / header.byteRate);
    const auto fromMemory = ScanMemory(header, data, size);
    Check(fromMemory.size() == static_cast<size_t>(header.durationSeconds));
    Check(fromFile.size() == fromMemory.size());
    for (size_t i = 0; i < fromMemory.size(); ++i) {
        Check(fromMemory[i].upper >= 0 && fromMemory[i].upper <= 39);
        Check(fromMemory[i].lower >= 0 && fromMemory[i].lower <= 39);
        Check(fromMemory[i].upper == fromFile[i].upper && fromMemory[i].lower == fromFile[i].lower);
    }
    return 0;
}
