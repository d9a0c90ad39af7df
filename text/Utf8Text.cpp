#include "text/Utf8Text.h"

namespace {

constexpr char32_t escapeBase = 0xDC80;
constexpr char32_t replacementCharacter = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid sequence at the start of bytes and its character, or 0.
size_t DecodeOne(std::string_view bytes, char32_t& c) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        c = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        c = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        c = lead & 0x07u;
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if (!IsContinuation(next)) {
            return 0;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and values past Unicode are not valid UTF-8.
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::wstring WideFromUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t c = 0;
        size_t length = DecodeOne(bytes, c);
        if (length == 0) {
            c = escapeBase + (static_cast<unsigned char>(bytes[0]) - 0x80u);
            length = 1;
        }
        text += static_cast<wchar_t>(c);
        bytes.remove_prefix(length);
    }
    return text;
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text) {
        AppendUtf8(bytes, static_cast<char32_t>(c));
    }
    return bytes;
}

void AppendUtf8(std::string& bytes, char32_t c) {
    // Four bytes hold only 21 bits: a larger value would come out as some other character.
    if (c > 0x10FFFF) {
        c = replacementCharacter;
    }
    if (c >= escapeBase && c <= escapeBase + 0x7F) {
        bytes += static_cast<char>(c - escapeBase + 0x80);
    } else if (c < 0x80) {
        bytes += static_cast<char>(c);
    } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | (c >> 6));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | (c >> 12));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
}
