#include "wav/WavTitle.h"

#include "wav/RiffChunks.h"
#include "wav/WavHeader.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace {

// The INAM text among the sub-chunks of a LIST INFO chunk's body.
std::string FindTitle(const uint8_t* info, size_t size) {
    for (RiffChunks chunks(info, size, 4); chunks.Next() && chunks.BodyHeld();) {
        if (chunks.Is("INAM")) {
            std::string title(reinterpret_cast<const char*>(chunks.Body()), chunks.bodySize);
            return title.substr(0, title.find('\0'));
        }
    }
    return std::string();
}

} // namespace

std::string ReadWavTitle(const std::string& path) {
    // The tags come before the samples, within the part of the file the header is read from.
    std::vector<char> head(WavHeader::kPrefixBytes);
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const auto* bytes = reinterpret_cast<const uint8_t*>(head.data());
    const auto size = static_cast<size_t>(in.gcount());
    if (!IsRiffWave(bytes, size)) {
        return std::string();
    }
    for (RiffChunks chunks(bytes, size, 12); chunks.Next();) {
        if (chunks.Is("data") || !chunks.BodyHeld()) {
            break;
        }
        if (chunks.Is("LIST") && chunks.bodySize >= 4 &&
            std::memcmp(chunks.Body(), "INFO", 4) == 0) {
            return FindTitle(chunks.Body(), chunks.bodySize);
        }
    }
    return std::string();
}
