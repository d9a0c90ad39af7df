// Writes a canonical 16-bit PCM WAV file (the 44-byte header, then the samples) whose length
// need not be known in advance: the header's sizes are filled in by Close. Owned by the caller,
// one file per writer; an unfinished file is removed when the writer is destroyed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WavFileWriter {
public:
    WavFileWriter() = default;
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Creates or truncates the file and writes a header with empty sizes.
    bool Open(const std::string& path, int32_t channels, int32_t sampleRate);
    // Appends whole 16-bit samples as little-endian bytes.
    bool Write(const void* pcm, size_t bytes);
    // Fills in the sizes and closes the file. False (and the file removed) when anything
    // failed since Open or the data passed 4 GB.
    bool Close();

    // After a failure: the system's error number of the step that failed (EFBIG past 4 GB).
    int systemError = 0;

private:
    // Notes the first failed step's error number; false once anything failed.
    bool Wrote(bool wrote);

    std::FILE* file = nullptr;
    std::string path;
    uint64_t dataBytes = 0;
    bool failed = false;
};
