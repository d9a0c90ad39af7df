#include "platform/linux/StereoConverter.h"

extern "C" {
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

StereoConverter::~StereoConverter() {
    swr_free(&context);
}

bool StereoConverter::ConfigurePcm16(uint32_t rate, uint32_t channelCount, int outputRate) {
    if (rate == 0 || channelCount == 0 || rate > static_cast<uint32_t>(INT32_MAX) ||
        channelCount > 64) {
        return false;
    }
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, static_cast<int>(channelCount));
    const bool configured =
        Configure(static_cast<int>(rate), layout, AV_SAMPLE_FMT_S16, outputRate);
    av_channel_layout_uninit(&layout);
    return configured;
}

bool StereoConverter::Configure(int inputRate, const AVChannelLayout& inputLayout,
                                AVSampleFormat inputFormat, int outputRate) {
    swr_free(&context);
    // This FFmpeg takes the layouts by non-const pointer.
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout input{};
    if (av_channel_layout_copy(&input, &inputLayout) < 0) {
        return false;
    }
    const int allocated = swr_alloc_set_opts2(&context, &stereo, AV_SAMPLE_FMT_FLT, outputRate,
                                              &input, inputFormat, inputRate, 0, nullptr);
    av_channel_layout_uninit(&input);
    if (allocated < 0) {
        return false;
    }
    // For float output the library leaves its fold-down matrix as it is, and a 5.1 source then
    // adds up to 2.4 times full scale on each side; scaled so no side's coefficients sum past
    // 1, loud multichannel sound folds down without clipping. Stereo stays as it was.
    if (av_opt_set_double(context, "rematrix_maxval", 1.0, 0) < 0) {
        swr_free(&context);
        return false;
    }
    // The standard matrix would put a mono centre into each side at -3 dB.
    const double monoToStereo[2] = {1.0, 1.0};
    if (inputLayout.nb_channels == 1 && swr_set_matrix(context, monoToStereo, 1) < 0) {
        swr_free(&context);
        return false;
    }
    if (swr_init(context) < 0) {
        swr_free(&context);
        return false;
    }
    inputChannels = inputLayout.nb_channels;
    return true;
}

bool StereoConverter::Run(const uint8_t* const* input, int count, std::vector<float>& out) {
    const int room = swr_get_out_samples(context, count);
    if (room < 0) {
        return false;
    }
    const size_t before = out.size();
    out.resize(before + static_cast<size_t>(room) * 2);
    auto* target = reinterpret_cast<uint8_t*>(out.data() + before);
    const int made = swr_convert(context, &target, room, const_cast<const uint8_t**>(input), count);
    out.resize(before + static_cast<size_t>(made < 0 ? 0 : made) * 2);
    return made >= 0;
}

bool StereoConverter::Convert(const uint8_t* const* input, int count, std::vector<float>& out) {
    return context != nullptr && Run(input, count, out);
}

bool StereoConverter::Drain(std::vector<float>& out) {
    return context != nullptr && Run(nullptr, 0, out);
}

bool StereoConverter::Reset() {
    if (context == nullptr) {
        return false;
    }
    swr_close(context);
    return swr_init(context) >= 0;
}
