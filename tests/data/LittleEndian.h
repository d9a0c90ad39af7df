// Little-endian fields of binary file formats held in a std::string; the caller checks bounds.
#pragma once

#include <cstdint>
#include <string>

namespace twtest {

inline uint16_t LeU16(const std::string& d, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) | static_cast<uint8_t>(d[at + 1])
                                                                   << 8);
}

inline uint32_t LeU32(const std::string& d, size_t at) {
    return static_cast<uint32_t>(LeU16(d, at)) | static_cast<uint32_t>(LeU16(d, at + 2)) << 16;
}

} // namespace twtest
