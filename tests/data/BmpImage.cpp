#include "BmpImage.h"

#include "LittleEndian.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace twtest {

bool BmpImage::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "can't open " + path;
        return false;
    }
    const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        problem = "no BMP signature";
        return false;
    }
    if (LeU32(d, 2) != d.size()) {
        problem = "file size field disagrees with the file";
        return false;
    }
    const uint32_t offBits = LeU32(d, 10);
    const auto w = static_cast<int32_t>(LeU32(d, 18));
    const auto h = static_cast<int32_t>(LeU32(d, 22));
    if (LeU32(d, 14) < 40 || LeU16(d, 26) != 1 || LeU16(d, 28) != 24 || LeU32(d, 30) != 0) {
        problem = "not a 24-bit uncompressed bitmap";
        return false;
    }
    if (w <= 0 || h == 0 || w > 4096 || std::abs(h) > 4096) {
        problem = "implausible size";
        return false;
    }
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    const auto rows = static_cast<size_t>(std::abs(h));
    if (offBits < 54 || offBits + stride * rows > d.size()) {
        problem = "pixel rows run past the end of the file";
        return false;
    }
    width = w;
    height = static_cast<int>(rows);
    pixels.resize(static_cast<size_t>(w) * rows);
    for (size_t row = 0; row < rows; ++row) {
        // A positive height stores the bottom row first.
        const size_t y = h > 0 ? rows - 1 - row : row;
        const size_t base = offBits + row * stride;
        for (size_t x = 0; x < static_cast<size_t>(w); ++x) {
            const auto px = [&](size_t i) { return static_cast<uint8_t>(d[base + x * 3 + i]); };
            pixels[y * static_cast<size_t>(w) + x] = Rgb{px(2), px(1), px(0)};
        }
    }
    return true;
}

} // namespace twtest
