// Keeps a stream's stereo frames under a ceiling after its effects and volume, so that loud
// sources under echo or reverb, or a ringtone brought up to phone loudness, are turned down
// instead of clipped. A look-ahead limiter linked across both sides: every frame waits
// `latency` frames in a delay line while the limiter looks at what comes; the gain it needs
// for a peak is reached by a straight ramp over the look-ahead (4 ms) before the peak arrives,
// held while louder frames follow, and released slowly (150 ms), so no frame's gain steps and a
// steady loud passage is held a little quieter rather than flattened. Frames under the ceiling
// with no reduction pending pass unchanged, sample for sample, only later by `latency`.
//
// Two ceilings: the sample peak just under full scale (-0.3 dB), and for phone loudness the
// true peak, where the peaks between samples are estimated at four times the rate, at -1.5 dBTP:
// phone loudness promises -1 dBTP in the decoded file, and the half dB between is room for the
// lossy encoders' overshoot (AAC's measured 0.15 dB on a limited pop mix) and the estimate's.
//
// One per stream, inside the stream's OutputStage; Process is real-time safe (no allocation,
// lock or I/O) and runs on whichever thread runs the stage.
#pragma once

#include <array>
#include <cstddef>

class PeakLimiter {
public:
    // The largest sample the limiter lets through by default, just under full scale (-0.3 dB).
    static constexpr float ceiling = 0.966f;
    // The largest true peak it lets through for phone loudness: -1.5 dBTP.
    static constexpr float truePeakCeiling = 0.841395f;
    // Frames of look-ahead: 4 ms at the effects' rate.
    static constexpr size_t lookAhead = 176;
    // Frames of the interpolator's reach on either side of the point it estimates.
    static constexpr size_t reach = 6;
    // How much later a frame comes out than it went in.
    static constexpr size_t latency = lookAhead + reach;

    PeakLimiter() { Reset(); }
    // Starts again with no reduction and an empty delay line, as for a stream just made.
    void Reset();
    // Chooses the ceiling: the true peak (on) or the sample peak (off). The
    // reductions under way go on and the next peaks meet the new ceiling.
    void UseTruePeak(bool on) { truePeak = on; }

    // Limits count interleaved stereo frames in place; what comes out is the input of
    // `latency` frames before.
    void Process(float* frames, size_t count);

private:
    static constexpr size_t taps = 2 * reach;
    static constexpr size_t window = lookAhead + 1;

    // The largest level around the frame `reach` frames back, on the chosen scale.
    float Peak();
    // The gain frame `lookAhead` frames behind the newest detected one may have.
    double NextGain(double needed);

    bool truePeak = false;
    // The newest `taps` input frames per side, written twice so a window is contiguous.
    std::array<float, 2 * taps> history[2]{};
    size_t historyAt = 0;
    // Estimate of the true peak between the frame under study and the one before.
    float betweenBefore = 0.0f;
    // Running minimum of the needed gains over the look-ahead: a queue of rising values.
    std::array<double, window> minValue{};
    std::array<size_t, window> minIndex{};
    size_t minFront = 0;
    size_t minCount = 0;
    size_t frameIndex = 0;
    // That minimum after the release.
    double released = 1.0;
    // The last `window` released gains and their sum: the ramp is their average.
    std::array<double, window> ramp{};
    size_t rampAt = 0;
    double rampSum = static_cast<double>(window);
    size_t rampReducing = 0;
    // The frames on their way through.
    std::array<float, 2 * latency> delay{};
    size_t delayAt = 0;
};
