// Converts PCM of any rate, sample format and channel layout to interleaved stereo float at
// the device rate, through libswresample. Mono goes to both sides at full level; more
// channels are mixed down with the library's standard matrix, scaled so that no side can go
// past full scale. Used on the feeder thread only.
#pragma once

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

#include <cstdint>
#include <utility>
#include <vector>

struct SwrContext;

class StereoConverter {
public:
    StereoConverter() = default;
    ~StereoConverter();
    StereoConverter(const StereoConverter&) = delete;
    StereoConverter& operator=(const StereoConverter&) = delete;

    // False when the library can't convert from this input.
    bool Configure(int inputRate, const AVChannelLayout& inputLayout, AVSampleFormat inputFormat,
                   int outputRate);

    // Interleaved 16-bit input of a stream procedure: its rate and its channel count in the
    // default layout of that count. False for a rate or count the library can't take.
    bool ConfigurePcm16(uint32_t rate, uint32_t channelCount, int outputRate);

    // Converts count input frames (one pointer per plane, or one for interleaved input) and
    // appends what comes out to out. False on a conversion error.
    bool Convert(const uint8_t* const* input, int count, std::vector<float>& out);
    // Appends what the resampler still holds back, at the end of the input.
    bool Drain(std::vector<float>& out);
    void Swap(StereoConverter& other) {
        std::swap(context, other.context);
        std::swap(inputChannels, other.inputChannels);
    }
    int InputChannels() const { return inputChannels; }
    // Forgets everything held back, to start again from a new position.
    bool Reset();

private:
    bool Run(const uint8_t* const* input, int count, std::vector<float>& out);

    SwrContext* context = nullptr;
    int inputChannels = 0;
};
