// A QR code of a short text (the Wi-Fi road's URL), through libqrencode: the module matrix, and
// the text's drawing on a terminal. The window paints the matrix itself; both leave a quiet
// zone of four modules around the code, which scanners need to find it.
#pragma once

#include <string>
#include <vector>

struct QrCode {
    // Modules per side, without the quiet zone; 0 when the text could not be encoded.
    int size = 0;
    // size * size modules, row by row; true is dark.
    std::vector<bool> dark;

    bool Dark(int x, int y) const;
};

inline constexpr int qrQuietZone = 4;

// At error-correction level M, which survives a smudged screen.
QrCode EncodeQrCode(const std::string& text);

// The code in UTF-8 half blocks, two rows of modules a line, dark on an explicit light
// background (ANSI colours) so that it reads the same on light and dark terminals; the quiet
// zone included. Every line ends with the colours reset and "\n".
std::string QrCodeForTerminal(const QrCode& code);
