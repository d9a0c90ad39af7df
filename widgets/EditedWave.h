// The waveform graph's media and edit fields without its window, and the renderer of the
// edited ringtone that reads them. twWaveGraph derives from it and adds the picture and the
// painting; the command-line tool uses it bare.
//
// Time is counted in ruler seconds: second s covers the timeline from s - 1 to s seconds, and
// the timeline is the source with silenceLength seconds of silence inserted at silenceStart.
//
// Threads: the owner writes every field on the user-interface thread. RenderEdited runs on the
// audio layer's feeder thread and reads the fields marked "audio thread" without a lock; they
// are atomics written whole, so one block may mix old and new values but never tears one. The
// renderer's copy of the path changes only in SetMedia, which the owner calls while no
// ringtone stream exists (the import frees the stream before it loads).
#pragma once

#include "wav/WavError.h"
#include "wav/WavHeader.h"

#include <atomic>
#include <cstdint>
#include <string>

class EditedWave {
public:
    // Media fields, set by SetMedia. Audio thread.
    std::atomic<int32_t> durationSeconds{-1};
    std::atomic<int32_t> channels{-1};
    std::atomic<int32_t> sampleRate{-1};
    std::atomic<int32_t> byteRate{0};
    int32_t bitsPerSample = 0;
    // File offset of the first sample: 44 for a canonical header, later when the converter
    // put other chunks before "data". Audio thread.
    std::atomic<int32_t> dataOffset{0};
    // Bytes of sample data; the renderer reads nothing beyond them. Audio thread.
    std::atomic<int32_t> dataSize{0};
    // Edit fields in ruler seconds, written by the owner. Audio thread.
    std::atomic<int32_t> silenceStart{0};
    std::atomic<int32_t> silenceLength{0};
    std::atomic<int32_t> selectionStart{0};
    std::atomic<int32_t> selectionExtent{0};
    std::atomic<int32_t> fadeInStart{0};
    std::atomic<int32_t> fadeInLength{0};
    std::atomic<int32_t> fadeOutStart{0};
    std::atomic<int32_t> fadeOutLength{0};
    std::atomic<int32_t> markerSecond{0};
    // Play cursor in fractional ruler seconds; written by the preview. Audio thread.
    std::atomic<double> playPosition{0.0};
    // Set by the first SetMedia, never cleared.
    bool loaded = false;

    // Takes the media fields from a checked header, and path (in the file system's encoding)
    // as the file RenderEdited reads. Sets loaded.
    void SetMedia(const WavHeader& header, const std::string& path);
    // Opens and checks the file as the waveform graph does, without scanning its samples, and
    // on success calls SetMedia. Leaves everything as it was on failure.
    WavError LoadMedia(const std::string& path);

    // Fills buffer with length bytes of the edited sound whose first byte lies at stream
    // position `position` (ruler second s starts at s x byteRate) and returns length; returns
    // 0 and leaves the buffer alone when the file can't be opened. Opens, reads and closes the
    // file on every call and keeps nothing; safe to call from any one thread at a time.
    // Source bytes outside the sample data (before it or past its end) are zero; the fades are
    // linear gains over the timeline, one step per 16-bit word, truncated toward zero.
    int32_t RenderEdited(void* buffer, int32_t length, int32_t position) const;

    // The file RenderEdited reads; empty before the first SetMedia.
    const std::string& MediaPath() const { return renderPath; }

private:
    std::string renderPath;
};
