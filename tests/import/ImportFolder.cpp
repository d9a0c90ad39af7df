#include "ImportFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace twtest {

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
