#include "phones/TextConversion.h"

#include <cstdint>

std::wstring WidenText(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char c : text) {
        // Through unsigned char: a plain char is signed here and would widen 0xE9 to -23.
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string NarrowText(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text) {
        // wchar_t is signed on Linux: compared unsigned, a negative value is "another
        // character" too.
        const bool ascii = static_cast<uint32_t>(c) < 128;
        narrow.push_back(ascii ? static_cast<char>(c) : '_');
    }
    return narrow;
}
