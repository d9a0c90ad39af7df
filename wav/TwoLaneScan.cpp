#include "wav/TwoLaneScan.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

constexpr size_t kPageBytes = 4096;

struct FreeMemory {
    void operator()(char* p) const { std::free(p); }
};
using ReadBuffer = std::unique_ptr<char, FreeMemory>;

// One read's worth, with room to start anywhere within the first page.
ReadBuffer NewReadBuffer() {
    return ReadBuffer(
        static_cast<char*>(std::aligned_alloc(kPageBytes, TwoLaneScan::kReadBytes + kPageBytes)));
}

// Reads size bytes at offset unless the file ends or a read fails; returns how many it got.
// Short only at the end of the file or on an error, whose number goes to systemError.
size_t ReadAt(int fd, char* buffer, size_t size, int64_t offset, int& systemError) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done,
                                    static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            systemError = errno;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

} // namespace

TwoLaneScan::TwoLaneScan(int file, const WavHeader& wav)
    : fd(file), header(wav), chunkCount((wav.durationSeconds + kChunkSeconds - 1) / kChunkSeconds) {
}

void TwoLaneScan::Scan(int32_t chunk, Chunk& out, char* buffer) const {
    out = Chunk{};
    if (buffer == nullptr) {
        out.failed = true;
        return;
    }
    const size_t frameBytes = static_cast<size_t>(header.channels) * 2;
    const size_t blockBytes = std::max(frameBytes, kReadBytes / frameBytes * frameBytes);
    const int32_t first = chunk * kChunkSeconds;
    const int32_t seconds = std::min(kChunkSeconds, header.durationSeconds - first);
    int64_t offset = header.dataOffset + int64_t{first} * header.byteRate;
    int64_t left = int64_t{seconds} * header.byteRate;
    SecondScanner scanner(header.channels, header.sampleRate, [&out](int32_t s, SecondBars b) {
        out.bars[s] = b;
        out.done = s + 1;
    });
    while (left > 0) {
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(left, blockBytes));
        // The file's offset within its page, kept even so that the samples stay aligned.
        char* at = buffer + (static_cast<size_t>(offset) % kPageBytes & ~size_t{1});
        if (ReadAt(fd, at, wanted, offset, out.systemError) != wanted) {
            out.failed = true;
            return;
        }
        scanner.Feed(reinterpret_cast<const int16_t*>(at), wanted / frameBytes);
        offset += static_cast<int64_t>(wanted);
        left -= static_cast<int64_t>(wanted);
    }
}

void TwoLaneScan::HelperLoop() {
    const ReadBuffer buffer = NewReadBuffer();
    for (int32_t c = 1; c < chunkCount; c += 2) {
        const int slot = (c / 2) % 2;
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [this, slot] { return stopping || !slotFull[slot]; });
            if (stopping) {
                return;
            }
        }
        Chunk result;
        Scan(c, result, buffer.get());
        {
            const std::lock_guard<std::mutex> guard(lock);
            ready[slot] = result;
            slotFull[slot] = true;
        }
        changed.notify_all();
        if (result.failed) {
            return;
        }
    }
}

WavError TwoLaneScan::Run(const SecondScanner::SecondFn& onSecond) {
    if (header.byteRate <= 0) {
        return WavError::ReadFailed;
    }
    ::posix_fadvise(fd, header.dataOffset, int64_t{header.durationSeconds} * header.byteRate,
                    POSIX_FADV_SEQUENTIAL);
    std::thread helper;
    if (chunkCount > 1) {
        helper = std::thread([this] { HelperLoop(); });
    }
    const ReadBuffer buffer = NewReadBuffer();
    WavError result = WavError::None;
    for (int32_t c = 0; c < chunkCount; ++c) {
        Chunk chunk;
        if (c % 2 == 0) {
            Scan(c, chunk, buffer.get());
        } else {
            const int slot = (c / 2) % 2;
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [this, slot] { return slotFull[slot]; });
            chunk = ready[slot];
            slotFull[slot] = false;
            guard.unlock();
            changed.notify_all();
        }
        for (int32_t s = 0; s < chunk.done; ++s) {
            onSecond(c * kChunkSeconds + s, chunk.bars[s]);
        }
        if (chunk.failed) {
            result = WavError::ReadFailed;
            systemError = chunk.systemError;
            break;
        }
    }
    {
        const std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    if (helper.joinable()) {
        helper.join();
    }
    return result;
}
