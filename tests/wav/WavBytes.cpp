#include "WavBytes.h"

#include <cstring>
#include <fstream>

namespace twtest {

WavBytes& WavBytes::Tag(const char* tag) {
    bytes.insert(bytes.end(), tag, tag + std::strlen(tag));
    return *this;
}

WavBytes& WavBytes::U16(uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}

WavBytes& WavBytes::U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    return U16(static_cast<uint16_t>(v >> 16));
}

WavBytes& WavBytes::Zeros(size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
}

WavBytes& WavBytes::Riff() {
    return Tag("RIFF").U32(0).Tag("WAVE");
}

WavBytes& WavBytes::Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits) {
    Tag("fmt ").U32(16).U16(format).U16(channels).U32(rate).U32(rate * channels * bits / 8);
    return U16(static_cast<uint16_t>(channels * bits / 8)).U16(bits);
}

WavBytes& WavBytes::DataHeader(uint32_t size) {
    return Tag("data").U32(size);
}

WavBytes& WavBytes::Samples(const std::vector<int16_t>& samples) {
    for (int16_t s : samples) {
        U16(static_cast<uint16_t>(s));
    }
    return *this;
}

bool WavBytes::WriteTo(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace twtest
