// A 24-bit uncompressed BMP file read into memory, checked the way a strict reader would:
// signature, sizes, one plane, 24 bits, no compression, and every row present.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

class BmpImage {
public:
    // False when the file is missing or not a complete 24-bit uncompressed BMP; `problem`
    // then says what is wrong.
    bool Load(const std::string& path);

    // x from the left, y from the top; both must lie inside the picture.
    Rgb Pixel(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    bool IsWhite(int x, int y) const { return Pixel(x, y) == Rgb{255, 255, 255}; }

    int width = 0;
    int height = 0;
    std::string problem;

private:
    std::vector<Rgb> pixels; // top row first
};

} // namespace twtest
