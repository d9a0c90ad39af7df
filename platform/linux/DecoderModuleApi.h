// The plain-C face of the decoder module: FFmpeg's demuxers and decoders pull in over a hundred
// shared libraries, so they live in a module of their own that the program loads the first time
// it checks or plays a file, instead of paying for them at every start-up. FileDecoder is the
// only caller.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// SourceCheck's fields, in C: result is SourceCheck::Result's value, kind an AudioFileType.
struct TwSourceCheck {
    int32_t result;
    int32_t kind;
    int32_t stream;
};

// A null decoder is failure.
struct TwDecoderApi {
    void* (*open)(const char* path, int outputRate);
    size_t (*read)(void* decoder, float* frames, size_t maxFrames);
    bool (*rewind)(void* decoder);
    void (*close)(void* decoder);
    void (*check)(const char* path, TwSourceCheck* result);
};

// The module's one exported symbol.
const TwDecoderApi* TwDecoderModuleApi();
}

// Its name in dlsym, and the module's file name, beside the program.
inline constexpr const char* twDecoderApiSymbol = "TwDecoderModuleApi";
inline constexpr const char* twDecoderModuleFile = "libtw_decoder.so";
