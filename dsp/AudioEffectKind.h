// The three effects, numbered as the classic library numbers them: what the audio output
// layer's AddEffect takes and AudioEffect::Create makes.
#pragma once

#include <cstdint>

enum class AudioEffectKind : uint32_t {
    Chorus = 0,
    Echo = 3,
    Reverb = 8,
};
