#include "dsp/EffectSet.h"

#include <cmath>

float EffectSet::LoudnessGain() const {
    return phoneLoudness ? static_cast<float>(std::pow(10.0, loudnessGainDb / 20.0)) : 0.0f;
}
