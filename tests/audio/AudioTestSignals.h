// Stream procedures with known output for the real layer's tests, and ways to read them back.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace twtest {

// Stereo 16-bit frames that spell their own frame number n, never zero on either side, so
// that the capture can be checked for order and completeness whatever silence surrounds it:
// the left side counts n modulo 30000, the right side (negative) how often that wrapped.
struct RampSource {
    static constexpr uint32_t period = 30000;
    static int16_t Left(uint32_t n) { return static_cast<int16_t>(1000 + n % period); }
    static int16_t Right(uint32_t n) { return static_cast<int16_t>(-1000 - n / period % period); }
    static uint32_t Proc(uint32_t handle, void* buffer, uint32_t length, void* user);

    std::atomic<uint32_t> nextFrame{0}; // the next frame the procedure will write
    std::atomic<uint32_t> calls{0};
};

// The ramp's frame numbers recovered from the non-zero frames of a capture, in order.
std::vector<uint32_t> RampFrames(const std::vector<int16_t>& samples);
// How many times the numbers don't go up by exactly one.
size_t RampBreaks(const std::vector<uint32_t>& frames);

// Stereo 16-bit: silence, then one frame of `level` on both sides (or a burst of that many
// frames of noise at plus or minus `level`), then silence for ever.
struct ImpulseSource {
    static uint32_t Proc(uint32_t handle, void* buffer, uint32_t length, void* user);

    uint32_t silentFrames = 4410;
    uint32_t burstFrames = 1;
    int16_t level = 16000;
    std::atomic<uint32_t> position{0};
};

// 16-bit sine of the given frequency and peak, the same on every channel, for ever.
struct SineSource {
    static uint32_t Proc(uint32_t handle, void* buffer, uint32_t length, void* user);

    uint32_t channels = 2;
    double rate = 44100.0;
    double frequency = 440.0;
    int peak = 10000;
    std::atomic<uint32_t> position{0};
};

} // namespace twtest
