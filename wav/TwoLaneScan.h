// The per-second scan of a working file on two threads: the caller's and one helper. The file's
// seconds are cut into chunks of kChunkSeconds (large, so that the threads seldom wait for each
// other); the caller reads and scans the even chunks, the
// helper the odd ones, each in its own small buffer, so that every block is scanned while it is
// still in the cache of the core that copied it, and the two copies from the page cache run side
// by side. The caller reports every second in file order. Memory stays constant: one read buffer
// per thread and two chunks of results waiting for the caller.
//
// Read buffers sit at the same offset within a page as the file data they receive: on some
// processors the kernel's copy runs several times more slowly when the destination lies a few
// bytes after the source in the page (the stores alias the loads that follow).
//
// One Run per object, on the caller's thread, which is also where onSecond runs. The helper
// thread lives only during Run.
#pragma once

#include "wav/SecondScanner.h"
#include "wav/WavError.h"
#include "wav/WavHeader.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

class TwoLaneScan {
public:
    static constexpr int32_t kChunkSeconds = 64;
    // Bytes asked of the file per read: small enough to stay in the core's own cache until
    // scanned.
    static constexpr size_t kReadBytes = 128 * 1024;

    // fd is the open file, read with pread only; it stays the caller's.
    TwoLaneScan(int fd, const WavHeader& header);

    // Calls onSecond for each of header.durationSeconds seconds, in order. ReadFailed when the
    // file ends early or a read fails; the seconds before the failing chunk stay reported.
    WavError Run(const SecondScanner::SecondFn& onSecond);

    // After ReadFailed: the system's error number, or 0 when the file ended early.
    int systemError = 0;

private:
    struct Chunk {
        SecondBars bars[kChunkSeconds];
        int32_t done = 0;    // seconds scanned
        bool failed = false; // a read came back short
        int systemError = 0; // the failed read's error number; 0 when the file ended early
    };

    // buffer: kReadBytes and a page more, page-aligned; null makes the chunk fail.
    void Scan(int32_t chunk, Chunk& out, char* buffer) const;
    void HelperLoop();

    int fd;
    WavHeader header;
    int32_t chunkCount;

    // For the helper only through lock: the odd chunks it has finished, by (chunk / 2) % 2.
    std::mutex lock;
    std::condition_variable changed;
    Chunk ready[2];
    bool slotFull[2] = {false, false};
    bool stopping = false;
};
