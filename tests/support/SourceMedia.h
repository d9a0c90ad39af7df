// One file of every kind of source (SourceKinds.h), made by Debian's ffmpeg from the same
// two-second tone, with the files each kind's reading must also get right: a video with sound,
// one without, a file of three audio streams, a file named for another kind and one that is no
// sound at all; and ffmpeg's own decode of a file, which the program's sound must equal.
#pragma once

#include "media/SourceKinds.h"

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

struct SourceMedia {
    std::string file;
    // The kind its name says.
    AudioFileType kind;
    // ffmpeg's arguments after the tone's input (input 0) and before the file's name.
    std::string made;
    // The audio stream that is heard and imported (its index among the file's streams); -1 for
    // a file without sound, -2 for one that is no sound file at all.
    int stream;
    // Not 44.1 kHz stereo: heard through a resampler or with its channels mixed.
    bool converted;
};

const std::vector<SourceMedia>& SourceMediaCases();
// Makes one file from the tone with ffmpeg's arguments `made`; false when ffmpeg fails.
bool MakeTone(const std::string& path, const std::string& made);
// Makes every case in the folder; false when ffmpeg fails to make one.
bool MakeSourceMedia(const std::string& folder);
// ffmpeg's decode of one stream of the file as interleaved 16-bit samples, with `format` its
// output options ("-ac 2 -ar 44100", or empty for the stream's own rate and channels).
std::vector<int16_t> FfmpegDecode(const std::string& path, int stream, const std::string& format);

} // namespace twtest
