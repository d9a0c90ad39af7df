#include "wav/RiffChunks.h"

#include <cstring>

bool IsRiffWave(const uint8_t* bytes, size_t size) {
    return size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 &&
           std::memcmp(bytes + 8, "WAVE", 4) == 0;
}

uint16_t Little16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Little32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

RiffChunks::RiffChunks(const uint8_t* from, size_t length, size_t first)
    : bytes(from), size(length), offset(first) {}

bool RiffChunks::Next() {
    if (started) {
        offset += kHeaderBytes + bodySize + (bodySize & 1U);
    }
    started = true;
    if (offset + kHeaderBytes > size) {
        return false;
    }
    bodySize = Little32(bytes + offset + 4);
    return true;
}

bool RiffChunks::Is(const char* tag) const {
    return std::memcmp(bytes + offset, tag, 4) == 0;
}
