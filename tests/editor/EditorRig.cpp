#include "EditorRig.h"

#include <cstring>

namespace twtest {

std::vector<int16_t> Pattern(int channels, int sampleRate, int seconds) {
    const size_t count = static_cast<size_t>(channels) * sampleRate * seconds;
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(static_cast<int32_t>((i * 7919) % 60000) - 30000);
    }
    return samples;
}

std::vector<int16_t> Words(const std::vector<uint8_t>& block) {
    std::vector<int16_t> words(block.size() / 2);
    std::memcpy(words.data(), block.data(), words.size() * 2);
    return words;
}

} // namespace twtest
