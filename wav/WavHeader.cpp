#include "wav/WavHeader.h"

#include "wav/RiffChunks.h"

#include <algorithm>
#include <limits>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kFmtBytes = 16;

} // namespace

WavError WavHeader::Parse(const uint8_t* prefix, size_t prefixSize, int64_t fileSize) {
    const size_t size = std::min(prefixSize, kPrefixBytes);
    if (!IsRiffWave(prefix, size)) {
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
    for (RiffChunks chunks(prefix, size, 12); chunks.Next();) {
        if (chunks.Is("fmt ")) {
            if (chunks.bodySize < kFmtBytes || chunks.BodyOffset() + kFmtBytes > size) {
                return WavError::NoFormatChunk;
            }
            const uint8_t* body = chunks.Body();
            formatTag = Little16(body);
            channelCount = Little16(body + 2);
            rate = Little32(body + 4);
            bits = Little16(body + 14);
            haveFormat = true;
        } else if (chunks.Is("data")) {
            haveData = true;
            dataStart = static_cast<size_t>(chunks.BodyOffset());
            declaredData = chunks.bodySize;
            break;
        }
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
