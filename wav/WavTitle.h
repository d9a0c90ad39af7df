// The song's own title as the converter keeps it in the working file: the import has ffmpeg copy
// a source's title tag, the container's or else the audio stream's (Ogg, Opus), into the WAV
// file's LIST INFO chunk (INAM), before the samples.
#pragma once

#include <string>

// The INAM text of the WAV file at path, as UTF-8 without its terminating NULs; empty when the
// file has none or can't be read.
std::string ReadWavTitle(const std::string& path);
