// A media file being decoded into interleaved stereo float frames at the device rate, through
// the decoder module (DecoderModuleApi.h), which is loaded on the first Open or CheckSource
// (SourceCheck.h, defined beside this class) and kept for the rest of the run. Opened on the
// user-interface thread, read and rewound on the feeder thread (never both at once). Owned by the
// channel that plays the file.
#pragma once

#include "platform/linux/DecoderModuleApi.h"

#include <memory>
#include <string>

class FileDecoder {
public:
    // Null when the module can't be loaded or CheckSource finds no sound in the file.
    static std::unique_ptr<FileDecoder> Open(const std::string& path, int outputRate);
    ~FileDecoder();
    FileDecoder(const FileDecoder&) = delete;
    FileDecoder& operator=(const FileDecoder&) = delete;

    // Writes up to maxFrames frames; fewer only at the end of the file (0 once it is over).
    size_t Read(float* frames, size_t maxFrames);
    // Goes back to the start of the file, decoding it afresh as when it was opened.
    bool Rewind();

private:
    FileDecoder(const TwDecoderApi* moduleApi, void* moduleDecoder)
        : api(moduleApi), decoder(moduleDecoder) {}

    const TwDecoderApi* api;
    void* decoder;
};
