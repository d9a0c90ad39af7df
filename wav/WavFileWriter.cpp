#include "wav/WavFileWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

std::array<uint8_t, 44> Header(int32_t channels, int32_t sampleRate, uint32_t dataBytes) {
    std::array<uint8_t, 44> h{};
    std::memcpy(&h[0], "RIFF", 4);
    Put32(&h[4], 36 + dataBytes);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    Put32(&h[16], 16);
    Put16(&h[20], 1);
    Put16(&h[22], static_cast<uint16_t>(channels));
    Put32(&h[24], static_cast<uint32_t>(sampleRate));
    Put32(&h[28], static_cast<uint32_t>(sampleRate * channels * 2));
    Put16(&h[32], static_cast<uint16_t>(channels * 2));
    Put16(&h[34], 16);
    std::memcpy(&h[36], "data", 4);
    Put32(&h[40], dataBytes);
    return h;
}

// The most sample data a RIFF size field can describe.
constexpr uint64_t maxDataBytes = 0xFFFFFFFFull - 36;

} // namespace

WavFileWriter::~WavFileWriter() {
    if (file != nullptr) {
        std::fclose(file);
        std::remove(path.c_str());
    }
}

bool WavFileWriter::Open(const std::string& filePath, int32_t channels, int32_t sampleRate) {
    if (file != nullptr || channels <= 0 || sampleRate <= 0) {
        return false;
    }
    systemError = 0;
    failed = false;
    file = std::fopen(filePath.c_str(), "wb");
    if (file == nullptr) {
        systemError = errno;
        return false;
    }
    path = filePath;
    dataBytes = 0;
    const auto header = Header(channels, sampleRate, 0);
    return Wrote(std::fwrite(header.data(), 1, header.size(), file) == header.size());
}

bool WavFileWriter::Wrote(bool wrote) {
    if (!wrote && !failed) {
        failed = true;
        systemError = errno;
    }
    return !failed;
}

bool WavFileWriter::Write(const void* pcm, size_t bytes) {
    if (file == nullptr || failed) {
        return false;
    }
    // Samples are kept in the machine's order, which is little-endian on every target we build.
    dataBytes += bytes;
    return Wrote(std::fwrite(pcm, 1, bytes, file) == bytes);
}

bool WavFileWriter::Close() {
    if (file == nullptr) {
        return false;
    }
    if (!failed && dataBytes > maxDataBytes) {
        systemError = EFBIG;
    }
    bool good = !failed && dataBytes <= maxDataBytes;
    if (good) {
        std::array<uint8_t, 4> size{};
        Put32(size.data(), static_cast<uint32_t>(36 + dataBytes));
        good = std::fseek(file, 4, SEEK_SET) == 0 && std::fwrite(size.data(), 1, 4, file) == 4;
        Put32(size.data(), static_cast<uint32_t>(dataBytes));
        good = Wrote(good && std::fseek(file, 40, SEEK_SET) == 0 &&
                     std::fwrite(size.data(), 1, 4, file) == 4);
    }
    const bool closed = std::fclose(file) == 0;
    if (!closed && good) {
        systemError = errno;
    }
    good = closed && good;
    file = nullptr;
    if (!good) {
        std::remove(path.c_str());
    }
    return good;
}
