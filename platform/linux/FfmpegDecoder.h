// Decodes the audio stream of a media file that Check names, with FFmpeg's libraries, into
// interleaved stereo float frames at the device rate. Opened on the user-interface thread, read
// and rewound on the feeder thread (never both at once); Check runs on any thread. Lives in the
// decoder module, which the program loads only when it first checks or plays a file (see
// FileDecoder).
#pragma once

#include "platform/SourceCheck.h"
#include "platform/linux/StereoConverter.h"

#include <memory>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

class FfmpegDecoder {
public:
    // Null unless Check finds sound in the file.
    static std::unique_ptr<FfmpegDecoder> Open(const std::string& path, int outputRate);
    // Opens the file only as one of the containers of the kinds (SourceKinds.h), as probing its
    // content finds it: a file named for one kind plays if its content is another.
    static SourceCheck Check(const std::string& path);
    ~FfmpegDecoder();
    FfmpegDecoder(const FfmpegDecoder&) = delete;
    FfmpegDecoder& operator=(const FfmpegDecoder&) = delete;

    // Writes up to maxFrames frames; fewer only at the end of the file (0 once it is over).
    size_t Read(float* frames, size_t maxFrames);
    // Goes back to the start of the file, decoding it afresh as when it was opened (a seek
    // would lose the coders' priming and gapless information). False if it can't.
    bool Rewind();

private:
    FfmpegDecoder() = default;
    void Swap(FfmpegDecoder& other);
    // Decodes and converts one more frame into pending; false at the end or on an error.
    bool DecodeMore();

    std::string path;
    int outputRate = 0;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int streamIndex = -1;
    bool inputDone = false;  // the demuxer has no more packets, the decoder was told
    bool outputDone = false; // everything decoded and drained
    StereoConverter converter;
    std::vector<float> pending; // converted frames not yet read
    size_t pendingRead = 0;     // floats of pending already read
};
