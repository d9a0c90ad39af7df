// One working WAV file opened for the per-second scan: Open reads and checks the header,
// ScanSeconds then reads every whole second once, on the caller's thread and a helper
// (TwoLaneScan), in constant memory; the callback runs on the caller's thread, in order. Owns
// the open file; closes it when destroyed. Not thread-safe: one user at a time.
#pragma once

#include "wav/SecondScanner.h"
#include "wav/WavError.h"
#include "wav/WavHeader.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

class WaveFile {
public:
    // Bytes ReadFrames asks of the file per read, rounded down to whole frames: small enough to
    // stay in the cache between the copy from the page cache and the use, large enough that
    // the number of reads doesn't matter.
    static constexpr size_t kBlockBytes = 128 * 1024;

    WavHeader header;
    // After CantOpen or ReadFailed: the system's error number behind it, or 0 when there was
    // none (a file that ends early). The caller words it: this library depends on nothing.
    int systemError = 0;

    // NoFile when nothing exists at the path, CantOpen when it can't be read, else the
    // header's verdict. header is valid only after None.
    WavError Open(const std::string& path);

    // Calls onSecond for each of header.durationSeconds seconds, in order. ReadFailed when
    // the file ends early or a read fails; seconds reported before that stay reported.
    WavError ScanSeconds(const SecondScanner::SecondFn& onSecond);

    // Hands every frame of the whole seconds to onBlock, front to back, in blocks of at most
    // kBlockBytes of interleaved samples. Errors as ScanSeconds.
    using BlockFn = std::function<void(const int16_t* samples, size_t frames)>;
    WavError ReadFrames(const BlockFn& onBlock);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file;
};
