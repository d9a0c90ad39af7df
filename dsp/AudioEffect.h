// An effect on interleaved stereo float frames at 44100 Hz, processed in place, block by
// block. Made and destroyed on the user-interface thread; Process runs on the device's
// callback thread only, so it must not allocate, lock or block. All memory is taken in the
// constructor.
//
// A new effect fades in over its first 10 ms, so that switching it on while a stream plays
// does not click: both what enters its delay lines and its share of the output grow from
// nothing, so neither the moment of switching nor its first echo starts with a step.
#pragma once

#include "dsp/AudioEffectKind.h"

#include <cstddef>
#include <memory>

class AudioEffect {
public:
    static constexpr int sampleRate = 44100;

    virtual ~AudioEffect() = default;

    // Replaces count frames with the effect's output.
    virtual void Process(float* frames, size_t count) = 0;

    // The effect with the classic library's default parameters.
    static std::unique_ptr<AudioEffect> Create(AudioEffectKind kind);

protected:
    AudioEffect() = default;
    // The fade-in's gain for the next frame: 0 at first, 1 from 10 ms on.
    float NextFade() {
        if (fadedFrames == fadeFrames) {
            return 1.0f;
        }
        return static_cast<float>(fadedFrames++) / static_cast<float>(fadeFrames);
    }

private:
    static constexpr size_t fadeFrames = sampleRate / 100;
    size_t fadedFrames = 0;
};
