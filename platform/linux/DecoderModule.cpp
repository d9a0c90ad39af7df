// The decoder module's exported entry point over FfmpegDecoder.
#include "platform/linux/DecoderModuleApi.h"
#include "platform/linux/FfmpegDecoder.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

void* Open(const char* path, int outputRate) {
    return FfmpegDecoder::Open(path, outputRate).release();
}

size_t Read(void* decoder, float* frames, size_t maxFrames) {
    return static_cast<FfmpegDecoder*>(decoder)->Read(frames, maxFrames);
}

bool Rewind(void* decoder) {
    return static_cast<FfmpegDecoder*>(decoder)->Rewind();
}

void Close(void* decoder) {
    delete static_cast<FfmpegDecoder*>(decoder);
}

void Check(const char* path, TwSourceCheck* result) {
    const SourceCheck check = FfmpegDecoder::Check(path);
    *result = TwSourceCheck{static_cast<int32_t>(check.result), check.kind, check.stream};
}

const TwDecoderApi api{Open, Read, Rewind, Close, Check};

} // namespace

extern "C" __attribute__((visibility("default"))) const TwDecoderApi* TwDecoderModuleApi() {
    // FFmpeg's warnings about the files it reads would land on the converter's console, or on
    // the command-line tool's terminal.
    av_log_set_level(AV_LOG_QUIET);
    return &api;
}
