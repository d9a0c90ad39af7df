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
// estimate's error and most of the lossy encoders' overshoot; a file that its encoder still
// takes over -1 dBTP is turned down after encoding (RingtoneJob).
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
    // Frames looked at together: the levels of a piece are found for all its frames at once,
    // which the compiler vectorises, before the gains follow them one by one.
    static constexpr size_t piece = 256;

    // Finds, for each of the piece's count frames, the levels below as seen `reach` frames
    // back; the estimates between frames only where some frame is near the true-peak ceiling.
    void FindLevels(size_t count);
    // The gain frame `lookAhead` frames behind the newest detected one may have.
    double NextGain(double needed);
    // No reduction held, released or on the ramp: a frame that needs none changes nothing but
    // the places in the windows.
    bool Resting() const {
        return minCount == 1 && minValue[minFront] == 1.0 && released == 1.0 && rampReducing == 0;
    }

    bool truePeak = false;
    // Per side, the last `latency` input frames, then the piece's: what comes out and the
    // interpolator's window both read here.
    std::array<float, latency + piece> sides[2]{};
    // Per frame of the piece: its sample peak, the largest sample within the interpolator's
    // reach, whether that is near enough the true-peak ceiling to interpolate, and the largest
    // estimate between it and the next frame; then the gains.
    std::array<float, piece> samplePeaks{};
    std::array<float, piece> around{};
    std::array<bool, piece> near{};
    std::array<float, piece> between{};
    std::array<float, piece> gains{};
    std::array<float, piece + taps> sideLevels{};
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
};
