#include "AudioTestSignals.h"

#include <cmath>
#include <numbers>

namespace twtest {

uint32_t RampSource::Proc(uint32_t, void* buffer, uint32_t length, void* user) {
    auto* source = static_cast<RampSource*>(user);
    auto* out = static_cast<int16_t*>(buffer);
    const uint32_t frames = length / 4;
    const uint32_t first = source->nextFrame.load();
    for (uint32_t i = 0; i < frames; ++i) {
        out[i * 2] = Left(first + i);
        out[i * 2 + 1] = Right(first + i);
    }
    source->nextFrame = first + frames;
    ++source->calls;
    return frames * 4;
}

std::vector<uint32_t> RampFrames(const std::vector<int16_t>& samples) {
    std::vector<uint32_t> frames;
    for (size_t f = 0; f < samples.size() / 2; ++f) {
        const int left = samples[f * 2];
        const int right = samples[f * 2 + 1];
        if (left != 0 || right != 0) {
            frames.push_back(static_cast<uint32_t>(-1000 - right) * RampSource::period +
                             static_cast<uint32_t>(left - 1000));
        }
    }
    return frames;
}

size_t RampBreaks(const std::vector<uint32_t>& frames) {
    size_t breaks = 0;
    for (size_t i = 1; i < frames.size(); ++i) {
        breaks += frames[i] != frames[i - 1] + 1 ? 1 : 0;
    }
    return breaks;
}

uint32_t ImpulseSource::Proc(uint32_t, void* buffer, uint32_t length, void* user) {
    auto* source = static_cast<ImpulseSource*>(user);
    auto* out = static_cast<int16_t*>(buffer);
    const uint32_t frames = length / 4;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint32_t n = source->position + i;
        int16_t v = 0;
        if (n >= source->silentFrames && n < source->silentFrames + source->burstFrames) {
            // A fixed pseudo-random sign per frame.
            const bool negative = ((n * 1103515245u + 12345u) >> 16) & 1u;
            v = static_cast<int16_t>(negative && source->burstFrames > 1 ? -source->level
                                                                         : source->level);
        }
        out[i * 2] = v;
        out[i * 2 + 1] = v;
    }
    source->position += frames;
    return frames * 4;
}

uint32_t SineSource::Proc(uint32_t, void* buffer, uint32_t length, void* user) {
    auto* source = static_cast<SineSource*>(user);
    auto* out = static_cast<int16_t*>(buffer);
    const uint32_t frames = length / (2 * source->channels);
    for (uint32_t i = 0; i < frames; ++i) {
        const double t = (source->position + i) / source->rate;
        const auto v = static_cast<int16_t>(
            std::lround(source->peak * std::sin(2 * std::numbers::pi * source->frequency * t)));
        for (uint32_t c = 0; c < source->channels; ++c) {
            out[i * source->channels + c] = v;
        }
    }
    source->position += frames;
    return frames * 2 * source->channels;
}

} // namespace twtest
