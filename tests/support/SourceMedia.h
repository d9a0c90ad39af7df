// A file of every source kind (SourceKinds.h), named with the kind's first extension and made
// by Debian's ffmpeg from one two-second stereo tone with the codec it chooses for the name (a
// 3GP's AAC: it has no AMR encoder); a video with and one without sound, a file of three audio
// streams, a FLAC named .mp3 and a text (ffmpeg's metadata) named .wav; and ffmpeg's own decode of
// a stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

struct SourceMedia {
    std::string file;
    std::string made; // ffmpeg's arguments after the tone's input
    int stream;       // the audio stream heard and imported; -1: no sound, -2: no sound file
};

const std::vector<SourceMedia>& SourceMediaCases();
bool MakeTone(const std::string& path, const std::string& made);
bool MakeSourceMedia(const std::string& folder);
// One stream of the file as interleaved 16-bit samples, `format` being ffmpeg's output options.
std::vector<int16_t> FfmpegDecode(const std::string& path, int stream, const std::string& format);

} // namespace twtest
