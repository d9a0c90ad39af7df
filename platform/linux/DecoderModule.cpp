// The decoder module's exported entry point over FfmpegDecoder.
#include "platform/linux/DecoderModuleApi.h"
#include "platform/linux/FfmpegDecoder.h"

namespace {

void* Open(const char* path, int kind, int outputRate) {
    return FfmpegDecoder::Open(path, static_cast<AudioFileKind>(kind), outputRate).release();
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

const TwDecoderApi api{Open, Read, Rewind, Close};

} // namespace

extern "C" __attribute__((visibility("default"))) const TwDecoderApi* TwDecoderModuleApi() {
    return &api;
}
