#include "wav/WavTitle.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

uint32_t Little32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

// The INAM text among the sub-chunks of a LIST INFO chunk's body.
std::string FindTitle(const char* info, size_t size) {
    for (size_t at = 4; at + 8 <= size;) {
        const uint32_t length = Little32(info + at + 4);
        if (length > size - at - 8) {
            break;
        }
        if (std::string(info + at, 4) == "INAM") {
            std::string title(info + at + 8, length);
            return title.substr(0, title.find('\0'));
        }
        at += 8 + length + (length & 1);
    }
    return std::string();
}

} // namespace

std::string ReadWavTitle(const std::string& path) {
    // The tags come before the samples, well within the first 64 KiB.
    std::vector<char> head(64 * 1024);
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const auto size = static_cast<size_t>(in.gcount());
    if (size < 12 || std::string(head.data(), 4) != "RIFF" ||
        std::string(head.data() + 8, 4) != "WAVE") {
        return std::string();
    }
    for (size_t at = 12; at + 8 <= size;) {
        const std::string id(head.data() + at, 4);
        const uint32_t length = Little32(head.data() + at + 4);
        if (id == "data" || length > size - at - 8) {
            break;
        }
        if (id == "LIST" && length >= 4 && std::string(head.data() + at + 8, 4) == "INFO") {
            return FindTitle(head.data() + at + 8, length);
        }
        at += 8 + length + (length & 1);
    }
    return std::string();
}
