#include "dsp/OfflineLevel.h"

#include <algorithm>

OfflineLevel::OfflineLevel(const EffectSet& effects)
    // As the engine passes the ruler's value to the audio layer.
    : volume(static_cast<float>(effects.volume / 100.0)), loudnessGain(effects.LoudnessGain()) {
    stage.Start(volume, loudnessGain);
}

void OfflineLevel::Process(float* frames, size_t count, std::vector<int16_t>& out) {
    stage.Process(frames, count, nullptr, volume, loudnessGain);
    const size_t skip = std::min(delayed, count);
    delayed -= skip;
    const size_t at = out.size();
    out.resize(at + (count - skip) * 2);
    OutputStage::ToPcm16(frames + skip * 2, out.data() + at, (count - skip) * 2);
}
