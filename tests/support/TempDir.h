// A fresh folder under /tmp for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace twtest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string File(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};

} // namespace twtest
