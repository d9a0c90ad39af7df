// The recording audio layer installed as the AudioEngine's output for a test's life, and the
// calls it saw, read a batch at a time. Create it before the window or panel that requests the
// engine.
#pragma once

#include "platform/fake/RecordingAudioOutput.h"

#include <memory>
#include <string>
#include <vector>

namespace twtest {

using Calls = std::vector<std::string>;

class RecordingLayer {
public:
    RecordingLayer();

    // The calls the layer saw since the last Since().
    Calls Since();

    std::shared_ptr<RecordingAudioOutput::CallLog> calls;

private:
    size_t seen = 0;
};

} // namespace twtest
