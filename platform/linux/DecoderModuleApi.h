// The plain-C face of the decoder module: FFmpeg's demuxers and decoders pull in over a hundred
// shared libraries, so they live in a module of their own that the program loads the first time
// it plays a file, instead of paying for them at every start-up. FileDecoder is the only caller.
#pragma once

#include <cstddef>

extern "C" {

// kind: 0 WAV or MP3, 1 AAC, 2 MP4 (AudioFileKind's order). A null decoder is failure.
struct TwDecoderApi {
    void* (*open)(const char* path, int kind, int outputRate);
    size_t (*read)(void* decoder, float* frames, size_t maxFrames);
    bool (*rewind)(void* decoder);
    void (*close)(void* decoder);
};

// The module's one exported symbol.
const TwDecoderApi* TwDecoderModuleApi();
}

// Its name in dlsym, and the module's file name, beside the program.
inline constexpr const char* twDecoderApiSymbol = "TwDecoderModuleApi";
inline constexpr const char* twDecoderModuleFile = "libtw_decoder.so";
