#include "RecordingLayer.h"

#include "audio/AudioEngine.h"

namespace twtest {

RecordingLayer::RecordingLayer() {
    auto layer = std::make_unique<RecordingAudioOutput>();
    calls = layer->calls;
    AudioEngine::UseOutput(std::move(layer));
}

Calls RecordingLayer::Since() {
    Calls recent(calls->begin() + static_cast<std::ptrdiff_t>(seen), calls->end());
    seen = calls->size();
    return recent;
}

} // namespace twtest
