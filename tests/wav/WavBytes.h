// Builds WAV headers byte by byte, for tests that need headers a converter would never write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

class WavBytes {
public:
    WavBytes& Tag(const char* tag);
    WavBytes& U16(uint16_t v);
    WavBytes& U32(uint32_t v);
    WavBytes& Zeros(size_t count);
    // "RIFF", a size, "WAVE".
    WavBytes& Riff();
    // A 16-byte "fmt " chunk.
    WavBytes& Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits);
    // A "data" chunk header claiming `size` bytes; the caller appends what it wants.
    WavBytes& DataHeader(uint32_t size);
    WavBytes& Samples(const std::vector<int16_t>& samples);

    bool WriteTo(const std::string& path) const;

    std::vector<uint8_t> bytes;
};

} // namespace twtest
