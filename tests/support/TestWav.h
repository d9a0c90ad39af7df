// Writes the 16-bit PCM WAV files that tests load, render and play.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

struct WavFormat {
    int sampleRate = 44100;
    int channels = 2;
    // Put a LIST chunk between "fmt " and "data", as Debian's ffmpeg does (data at byte 78).
    bool listChunk = false;
};

// Interleaved samples; returns false when the file can't be written.
bool WriteWav(const std::string& path, const WavFormat& format,
              const std::vector<int16_t>& samples);

// A sine of the given frequency and peak, the same on every channel.
std::vector<int16_t> Sine(const WavFormat& format, double seconds, double frequency, int peak);

} // namespace twtest
