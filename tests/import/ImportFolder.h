// Helpers for tests that import in a working folder of their own: a stand-in converter at
// temp/ffmpeg, what the temp folder holds, and a file's bytes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace twtest {

// A converter script at temp/ffmpeg that runs `body` with $out set to its last argument, the
// output file.
void WriteConverter(const std::string& body);

// The names in temp/, sorted.
std::vector<std::string> TempFolder();

// The whole file, or nothing when it can't be read.
std::string Contents(const std::filesystem::path& path);

} // namespace twtest
