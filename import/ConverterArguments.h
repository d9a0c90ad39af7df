// The converter's command line: the import's argument string, and its splitting back into the
// argument vector the converter is started with (there is no shell in between); and a path as
// the converter should open it, for the argument vectors that every other conversion builds.
//
// Quoting rules, shared by both directions: blanks separate arguments; double quotes group
// blanks into an argument and may start or end anywhere in it; a backslash makes a following
// double quote or backslash literal, and any other backslash is literal itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// " -i \"SOURCE\" -y -map_metadata 0 -map_metadata 0:s:a:0 -f wav -acodec pcm_s16le \"OUTPUT\"":
// the converter reads the source and overwrites the output with 16-bit PCM WAV, keeping the
// source's rate and channels and its tags, the container's and, where it has none of a kind,
// the audio stream's. With an audio stream (its index among the file's streams), " -map 0:N"
// follows the source, so that the converter takes that stream instead of choosing one itself,
// and its tags are the ones read ("0:s:N"). Each path
// comes out of the split unchanged, whatever quotes or backslashes it holds. A relative path
// with a colon (or "-") gets a "file:" prefix, so that the converter opens the local file
// instead of reading the name as one of its protocols ("concat:", "pipe:", "http:", ...).
std::wstring BuildConverterArguments(const std::wstring& sourcePath, const std::wstring& outputPath,
                                     int32_t audioStream = -1);

// A path, as UTF-8, as the converter should open it: a relative one with a colon (or "-") gets
// the "file:" prefix, as above.
std::string ConverterPath(const std::string& path);

// The arguments in order, as UTF-8 (Utf8Text.h: file names that were not UTF-8 come back as the
// bytes they were).
std::vector<std::string> SplitArguments(const std::wstring& arguments);
