// Helpers for tests that import in a working folder of their own: a stand-in converter at
// temp/ffmpeg, what the temp folder holds, and a file's bytes.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace twtest {

// What an import may take at most before it counts as hung; generous for slow machines.
constexpr auto noHang = std::chrono::seconds(30);

// For the test's life: the process's console on a pseudo-terminal, and the folder as the
// working directory with an empty temp/ in it.
class WorkFolder {
public:
    explicit WorkFolder(const std::filesystem::path& folder);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

private:
    std::filesystem::path previous;
};

// An empty temp/ with Debian's ffmpeg linked at temp/ffmpeg.
void FreshTempWithDebiansConverter();

// A converter script at temp/ffmpeg that runs `body` with $out set to its last argument, the
// output file.
void WriteConverter(const std::string& body);

// The names in temp/, sorted.
std::vector<std::string> TempFolder();

// The whole file, or nothing when it can't be read.
std::string Contents(const std::filesystem::path& path);

} // namespace twtest
