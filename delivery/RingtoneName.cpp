#include "delivery/RingtoneName.h"

#include <cstring>

namespace {

constexpr const char* mark = " ringtone";

// At most `bytes` bytes of text, never ending inside a character.
std::string Shortened(const std::string& text, size_t bytes) {
    if (text.size() <= bytes) {
        return text;
    }
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

} // namespace

std::string RingtoneStem(const std::string& sourcePath, const std::string& extension) {
    std::string stem = sourcePath.substr(sourcePath.find_last_of('/') + 1);
    const size_t dot = stem.find_last_of('.');
    // A name that is all extension (".mp3") keeps it: there is nothing else to call it.
    if (dot != std::string::npos && dot > 0) {
        stem.erase(dot);
    }
    for (char& c : stem) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || std::strchr("\\/:*?\"<>|", c) != nullptr) {
            c = '_';
        }
    }
    if (stem.empty()) {
        return "ringtone";
    }
    const size_t room = maxFileNameBytes - std::strlen(mark) - extension.size();
    return Shortened(stem, room) + mark;
}
