#include "widgets/WaveFile.h"

#include "widgets/TwoLaneScan.h"

#include <bit>
#include <filesystem>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "samples are read straight into int16_t: little-endian hosts only");

WavError WaveFile::Open(const std::string& path) {
    file.reset();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return WavError::NoFile;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        return WavError::CantOpen;
    }
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) {
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
    if (!file) {
        return WavError::ReadFailed;
    }
    TwoLaneScan scan(fileno(file.get()), header);
    return scan.Run(onSecond);
}
