// What a 16-bit PCM WAV file says about its sound, and where its samples lie, read from the
// RIFF chunks: the format from "fmt ", the data offset and size from "data". Converters put
// other chunks between them (Debian's ffmpeg writes a LIST chunk, which moves the samples from
// byte 44 to byte 78), so every reader of the working file takes `dataOffset` from here.
// Sizes are 32-bit signed throughout the editor: data of 2 GiB or more is refused.
#pragma once

#include "wav/WavError.h"

#include <cstddef>
#include <cstdint>

class WavHeader {
public:
    // Parse sees only this much of the file's start: the "data" chunk must begin within it.
    static constexpr size_t kPrefixBytes = 64 * 1024;

    int32_t channels = 0;
    int32_t sampleRate = 0;
    int32_t bitsPerSample = 0;
    // Bytes of sample data per second: channels x 2 x sampleRate.
    int32_t byteRate = 0;
    // File offset of the first sample.
    int32_t dataOffset = 0;
    // Bytes of sample data, clipped to what the file holds after dataOffset.
    int32_t dataSize = 0;
    // Whole seconds of sound; a trailing part second is dropped.
    int32_t durationSeconds = 0;

    // prefix holds the file's first prefixSize bytes (at most kPrefixBytes are looked at);
    // fileSize is the length of the whole file. On any error *this is left as it was.
    WavError Parse(const uint8_t* prefix, size_t prefixSize, int64_t fileSize);
};
