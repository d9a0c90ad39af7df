#include "TestWav.h"

#include <cmath>
#include <fstream>
#include <numbers>

namespace twtest {

namespace {
void Put32(std::ofstream& out, uint32_t v) {
    const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
    out.write(b, 4);
}
void Put16(std::ofstream& out, uint16_t v) {
    const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
    out.write(b, 2);
}
} // namespace

bool WriteWav(const std::string& path, const WavFormat& format,
              const std::vector<int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        return false;
    }
    // "INFO", then an ISFT sub-chunk of 14 bytes naming the encoder, NUL included.
    static const char listBytes[] = "INFOISFT\x0e\x00\x00\x00Lavf59.27.100";
    const std::string listBody(listBytes, sizeof listBytes);
    const uint32_t listSize = format.listChunk ? static_cast<uint32_t>(8 + listBody.size()) : 0;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 4 + 24 + listSize + 8 + dataSize);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(format.channels));
    Put32(out, static_cast<uint32_t>(format.sampleRate));
    Put32(out, static_cast<uint32_t>(format.sampleRate * format.channels * 2));
    Put16(out, static_cast<uint16_t>(format.channels * 2));
    Put16(out, 16);
    if (format.listChunk) {
        out.write("LIST", 4);
        Put32(out, static_cast<uint32_t>(listBody.size()));
        out.write(listBody.data(), static_cast<std::streamsize>(listBody.size()));
    }
    out.write("data", 4);
    Put32(out, dataSize);
    for (int16_t s : samples) {
        Put16(out, static_cast<uint16_t>(s));
    }
    return static_cast<bool>(out);
}

std::vector<int16_t> Sine(const WavFormat& format, double seconds, double frequency, int peak) {
    const auto frames = static_cast<size_t>(seconds * format.sampleRate);
    std::vector<int16_t> samples;
    samples.reserve(frames * static_cast<size_t>(format.channels));
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / format.sampleRate;
        const auto v = static_cast<int16_t>(
            std::lround(peak * std::sin(2 * std::numbers::pi * frequency * t)));
        for (int c = 0; c < format.channels; ++c) {
            samples.push_back(v);
        }
    }
    return samples;
}

} // namespace twtest
