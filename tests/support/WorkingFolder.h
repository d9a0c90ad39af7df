// A working folder of the test's own, laid out as the program's: for the fixture's life it is
// the current directory, holds temp/ with the converter at temp/ffmpeg (Debian's, linked,
// unless the test asks for none and writes a stand-in) and a link to the run folder's
// pictures, and the process's console is a pseudo-terminal. A test or a fixture owns one; the
// folder goes with everything in it.
#pragma once

#include "FileContents.h"
#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace twtest {

// What an import may take at most before it counts as hung; generous for slow machines.
constexpr auto noHang = std::chrono::seconds(30);

class WorkingFolder {
public:
    enum class Converter { Debians, None };

    explicit WorkingFolder(Converter converter = Converter::Debians);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const std::filesystem::path& Path() const { return dir.Path(); }
    std::string File(const std::string& name) const { return dir.File(name); }
    // The names in temp/ besides the converter, sorted.
    std::vector<std::string> TempLeftovers() const;

private:
    TempDir dir;
    std::filesystem::path previous;
};

// A stand-in converter at temp/ffmpeg of the current directory that runs `body` with $out set
// to its last argument, the output file.
void WriteConverter(const std::string& body);

} // namespace twtest
