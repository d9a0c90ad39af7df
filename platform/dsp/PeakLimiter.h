// Keeps a stream's stereo frames under full scale after its effects and volume, so that loud
// sources under echo or reverb are turned down instead of clipped: a peak limiter linked
// across both sides, whose gain drops at once to what the loudest frame needs and recovers
// slowly (a release of 150 ms), so a steady loud passage is held a little quieter rather than
// flattened. Frames under the ceiling with no reduction pending pass unchanged, sample for
// sample.
//
// One per stream, inside the stream's OutputStage; Process is real-time safe (no allocation,
// lock or I/O) and runs on whichever thread runs the stage.
#pragma once

#include <cstddef>

class PeakLimiter {
public:
    // The largest level the limiter lets through, just under full scale (-0.3 dB).
    static constexpr float ceiling = 0.966f;

    // Starts again with no reduction, as for a stream that has just been made.
    void Reset() { gain = 1.0; }

    // Limits count interleaved stereo frames in place.
    void Process(float* frames, size_t count);

private:
    double gain = 1.0;
};
