#include "wav/WavHeader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kFmtBytes = 16;

uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsTag(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

} // namespace

WavError WavHeader::Parse(const uint8_t* prefix, size_t prefixSize, int64_t fileSize) {
    const size_t size = std::min(prefixSize, kPrefixBytes);
    if (size < 12 || !IsTag(prefix, "RIFF") || !IsTag(prefix + 8, "WAVE")) {
        return WavError::NotRiffWave;
    }
    bool haveFormat = false;
    uint16_t formatTag = 0;
    uint32_t channelCount = 0;
    uint32_t rate = 0;
    uint32_t bits = 0;
    bool haveData = false;
    size_t dataStart = 0;
    uint32_t declaredData = 0;
    // Chunk bodies are padded to an even length; sizes are summed in 64 bits so that a huge
    // size field steps past the prefix instead of wrapping around.
    for (uint64_t pos = 12; pos + kChunkHeaderBytes <= size;) {
        const uint8_t* chunk = prefix + pos;
        const uint32_t chunkSize = Get32(chunk + 4);
        if (IsTag(chunk, "fmt ")) {
            if (chunkSize < kFmtBytes || pos + kChunkHeaderBytes + kFmtBytes > size) {
                return WavError::NoFormatChunk;
            }
            const uint8_t* body = chunk + kChunkHeaderBytes;
            formatTag = Get16(body);
            channelCount = Get16(body + 2);
            rate = Get32(body + 4);
            bits = Get16(body + 14);
            haveFormat = true;
        } else if (IsTag(chunk, "data")) {
            haveData = true;
            dataStart = static_cast<size_t>(pos + kChunkHeaderBytes);
            declaredData = chunkSize;
            break;
        }
        pos += kChunkHeaderBytes + chunkSize + (chunkSize & 1U);
    }
    if (!haveData) {
        return WavError::NoDataChunk;
    }
    if (!haveFormat) {
        return WavError::NoFormatChunk;
    }
    if (formatTag != kFormatPcm && formatTag != kFormatExtensible) {
        return WavError::NotPcm;
    }
    if (channelCount == 0) {
        return WavError::NoChannels;
    }
    if (rate == 0) {
        return WavError::NoSampleRate;
    }
    if (bits != 16) {
        return WavError::Not16Bit;
    }
    const int64_t rateBytes = static_cast<int64_t>(channelCount) * 2 * rate;
    if (rateBytes > std::numeric_limits<int32_t>::max()) {
        return WavError::FormatTooLarge;
    }
    if (static_cast<int64_t>(declaredData) > fileSize) {
        return WavError::DataLargerThanFile;
    }
    const int64_t held = std::max<int64_t>(0, fileSize - static_cast<int64_t>(dataStart));
    const int64_t data = std::min<int64_t>(declaredData, held);
    if (data > std::numeric_limits<int32_t>::max()) {
        return WavError::TooLong;
    }
    channels = static_cast<int32_t>(channelCount);
    sampleRate = static_cast<int32_t>(rate);
    bitsPerSample = 16;
    byteRate = static_cast<int32_t>(rateBytes);
    dataOffset = static_cast<int32_t>(dataStart);
    dataSize = static_cast<int32_t>(data);
    durationSeconds = dataSize / byteRate;
    return WavError::None;
}
