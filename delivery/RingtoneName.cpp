#include "delivery/RingtoneName.h"

#include <cstring>

std::string RingtoneTitle(const std::string& sourcePath) {
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
    return stem.empty() ? "ringtone" : stem + " ringtone";
}

std::string RingtoneFileName(const std::string& sourcePath, const std::string& extension) {
    return RingtoneTitle(sourcePath) + extension;
}
