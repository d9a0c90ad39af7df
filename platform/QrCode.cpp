#include "platform/QrCode.h"

#include <qrencode.h>

bool QrCode::Dark(int x, int y) const {
    if (x < 0 || y < 0 || x >= size || y >= size) {
        return false;
    }
    return dark[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
}

QrCode EncodeQrCode(const std::string& text) {
    QrCode code;
    QRcode* encoded = QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M);
    if (encoded == nullptr) {
        return code;
    }
    code.size = encoded->width;
    const size_t modules =
        static_cast<size_t>(encoded->width) * static_cast<size_t>(encoded->width);
    code.dark.resize(modules);
    for (size_t i = 0; i < modules; ++i) {
        // The lowest bit of each byte is the module's colour; the others say what it is part of.
        code.dark[i] = (encoded->data[i] & 1u) != 0;
    }
    QRcode_free(encoded);
    return code;
}

std::string QrCodeForTerminal(const QrCode& code) {
    // Black on bright white: the terminal's own colours may be either way round.
    constexpr const char* colours = "\x1b[30;107m";
    constexpr const char* reset = "\x1b[0m\n";
    const int first = -qrQuietZone;
    const int end = code.size + qrQuietZone;
    std::string text;
    for (int y = first; y < end; y += 2) {
        text += colours;
        for (int x = first; x < end; ++x) {
            const bool top = code.Dark(x, y);
            const bool bottom = y + 1 < end && code.Dark(x, y + 1);
            text += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
        }
        text += reset;
    }
    return text;
}
