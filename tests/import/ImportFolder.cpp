#include "ImportFolder.h"

#include "platform/linux/PtyConsole.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace twtest {

WorkFolder::WorkFolder(const fs::path& folder) : previous(fs::current_path()) {
    SetProcessConsole(CreatePtyConsole());
    fs::current_path(folder);
    fs::create_directory("temp");
}

WorkFolder::~WorkFolder() {
    fs::current_path(previous);
    SetProcessConsole(nullptr);
}

void FreshTempWithDebiansConverter() {
    fs::remove_all("temp");
    fs::create_directory("temp");
    fs::create_symlink("/usr/bin/ffmpeg", "temp/ffmpeg");
}

void WriteConverter(const std::string& body) {
    std::ofstream("temp/ffmpeg") << "#!/bin/sh\nfor a; do out=$a; done\n" << body;
    fs::permissions("temp/ffmpeg", fs::perms::owner_all);
}

std::vector<std::string> TempFolder() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator("temp")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace twtest
