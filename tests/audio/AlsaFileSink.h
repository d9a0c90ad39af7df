// Routes ALSA's default device, for this process, into a named pipe that a thread of the test
// drains at a set pace, keeping every sample. The pace stands in for a sound card's clock:
// ALSA's file plugin over its null device would otherwise take audio as fast as it is made.
//
// Make the sink before the layer's Init and destroy it after the layer's Free. The capture
// starts with the zeros PortAudio writes when the device starts.
#pragma once

#include "TempDir.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace twtest {

// The rate the sink records at, and so the rate the tests play at.
inline constexpr int rate = 44100;

class AlsaFileSink {
public:
    static constexpr int rate = twtest::rate;

    // pace: how many times faster than real time the device takes audio; 0 for no pacing.
    explicit AlsaFileSink(double pace);
    ~AlsaFileSink();
    AlsaFileSink(const AlsaFileSink&) = delete;
    AlsaFileSink& operator=(const AlsaFileSink&) = delete;

    // Points ALSA at a configuration whose default device can't be opened.
    static void RouteToNoDevice(const TempDir& dir);

    // The device goes away as an unplugged card does: nothing reads the pipe any more, and
    // what the layer writes from now on fails. What was captured stays.
    void Unplug();

    // Interleaved stereo samples captured so far.
    std::vector<int16_t> Samples() const;
    // Frames captured so far.
    size_t Frames() const;
    // Whether a frame at or after fromFrame has sound, without copying the capture.
    bool HasSoundAfter(size_t fromFrame) const;
    // Waits until pred(Samples()) holds, looking every 10 ms; false after timeoutMs.
    template <typename Pred> bool WaitFor(Pred pred, int timeoutMs = 20000) const {
        for (int waited = 0; waited < timeoutMs; waited += 10) {
            if (pred(Samples())) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return pred(Samples());
    }

private:
    void Drain();

    TempDir dir;
    std::string pipe;
    double pace;
    std::atomic<bool> stopping{false};
    std::atomic<bool> drained{false}; // set by the reader as it returns
    mutable std::mutex captureMutex;
    std::vector<char> capture; // raw bytes; a read may end inside a sample
    std::thread reader;
};

// Helpers for the captured sound.
size_t CountNonZeroFrames(const std::vector<int16_t>& samples, size_t fromFrame = 0);
// The first frame at or after fromFrame with a non-zero sample, or the frame count.
size_t FirstNonZeroFrame(const std::vector<int16_t>& samples, size_t fromFrame = 0);
// The largest absolute sample over [from, to) frames.
int PeakBetween(const std::vector<int16_t>& samples, size_t fromFrame, size_t toFrame);

} // namespace twtest
