// Times RenderEdited block by block over a whole working file, as the ringtone preview calls
// it: one open, seek, read and close of the file per block, from the page cache.
// Usage: render_bench WORKING.wav SILENCE FADE-IN FADE-OUT [BLOCK-BYTES]
// The ringtone is the whole timeline (cut 1 to the file's last whole second) with SILENCE
// seconds inserted at the start, a FADE-IN from the end of the silence and a FADE-OUT ending
// at the cut end. Prints blocks per second, per-block latency (p50, p99, maximum), the time
// of the whole pass and how many times faster than real time it ran, one "name value unit"
// line each.
#include "widgets/EditedWave.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s WORKING.wav SILENCE FADE-IN FADE-OUT [BLOCK-BYTES]\n",
                     argv[0]);
        return 2;
    }
    EditedWave wave;
    if (const WavError error = wave.LoadMedia(argv[1]); error != WavError::None) {
        std::fprintf(stderr, "%s: %s\n", argv[1], DescribeWavError(error));
        return 1;
    }
    const int32_t silence = std::atoi(argv[2]);
    const int32_t fadeIn = std::atoi(argv[3]);
    const int32_t fadeOut = std::atoi(argv[4]);
    const int32_t blockBytes = argc > 5 ? std::atoi(argv[5]) : 17640;
    const int32_t cutEnd = wave.durationSeconds;
    wave.selectionStart = 1;
    wave.selectionExtent = cutEnd - 1;
    wave.silenceStart = 1;
    wave.silenceLength = silence;
    wave.fadeInStart = 1 + silence;
    wave.fadeInLength = fadeIn;
    wave.fadeOutStart = cutEnd - fadeOut;
    wave.fadeOutLength = fadeOut;

    const int64_t rate = wave.byteRate;
    const int64_t first = rate;
    const int64_t last = int64_t{cutEnd} * rate;
    std::vector<uint8_t> block(static_cast<size_t>(blockBytes));
    std::vector<double> micros;
    micros.reserve(static_cast<size_t>((last - first) / blockBytes + 1));
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int64_t p = first; p < last; p += blockBytes) {
        const auto before = Clock::now();
        if (wave.RenderEdited(block.data(), blockBytes, static_cast<int32_t>(p)) != blockBytes) {
            std::fprintf(stderr, "%s: can't be read\n", argv[1]);
            return 1;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double q) { return sorted[static_cast<size_t>(q * (sorted.size() - 1))]; };
    const double audio = static_cast<double>(last - first) / static_cast<double>(rate);
    // One "name value unit" line each, for people and for bench/render/run.
    std::printf("blocks %zu of %d bytes\n", micros.size(), blockBytes);
    std::printf("sound %.0f s\n", audio);
    std::printf("pass %.4f s\n", seconds);
    std::printf("blocks/s %.0f\n", static_cast<double>(micros.size()) / seconds);
    std::printf("p50 %.2f us\np99 %.2f us\nmax %.2f us\n", at(0.5), at(0.99), sorted.back());
    std::printf("realtime %.0f x\n", audio / seconds);
    return 0;
}
