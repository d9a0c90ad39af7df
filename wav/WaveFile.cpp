#include "wav/WaveFile.h"

#include "wav/TwoLaneScan.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <filesystem>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "samples are read straight into int16_t: little-endian hosts only");

WavError WaveFile::Open(const std::string& path) {
    file.reset();
    systemError = 0;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return WavError::NoFile;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        systemError = error.value();
        return WavError::CantOpen;
    }
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) {
        systemError = errno;
        return WavError::CantOpen;
    }
    // The header's prefix is read once: let the fread go straight to the system without
    // stdio's copy.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::vector<uint8_t> prefix(WavHeader::kPrefixBytes);
    const size_t got = std::fread(prefix.data(), 1, prefix.size(), file.get());
    return header.Parse(prefix.data(), got, static_cast<int64_t>(size));
}

WavError WaveFile::ScanSeconds(const SecondScanner::SecondFn& onSecond) {
    if (!file || header.byteRate <= 0) {
        return WavError::ReadFailed;
    }
    TwoLaneScan scan(fileno(file.get()), header);
    const WavError result = scan.Run(onSecond);
    systemError = scan.systemError;
    return result;
}

WavError WaveFile::ReadFrames(const BlockFn& onBlock) {
    if (!file || header.byteRate <= 0) {
        return WavError::ReadFailed;
    }
    const size_t frameBytes = static_cast<size_t>(header.channels) * 2;
    const size_t blockFrames = std::max<size_t>(1, kBlockBytes / frameBytes);
    std::vector<int16_t> block(blockFrames * static_cast<size_t>(header.channels));
    if (std::fseek(file.get(), header.dataOffset, SEEK_SET) != 0) {
        systemError = errno;
        return WavError::ReadFailed;
    }
    int64_t framesLeft = int64_t{header.durationSeconds} * header.sampleRate;
    while (framesLeft > 0) {
        const size_t frames =
            static_cast<size_t>(std::min(framesLeft, static_cast<int64_t>(blockFrames)));
        if (std::fread(block.data(), frameBytes, frames, file.get()) != frames) {
            systemError = std::ferror(file.get()) != 0 ? errno : 0;
            return WavError::ReadFailed;
        }
        onBlock(block.data(), frames);
        framesLeft -= static_cast<int64_t>(frames);
    }
    return WavError::None;
}
