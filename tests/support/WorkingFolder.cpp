#include "WorkingFolder.h"

#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace twtest {

WorkingFolder::WorkingFolder(Converter converter) : previous(fs::current_path()) {
    fs::create_directory(dir.Path() / "temp");
    if (converter == Converter::Debians) {
        fs::create_symlink("/usr/bin/ffmpeg", dir.Path() / "temp" / "ffmpeg");
    }
    // The window loads its button pictures from the working folder whenever they change.
    if (fs::exists(previous / "images")) {
        fs::create_directory_symlink(previous / "images", dir.Path() / "images");
    }
    SetProcessConsole(CreatePtyConsole());
    fs::current_path(dir.Path());
}

WorkingFolder::~WorkingFolder() {
    fs::current_path(previous);
    SetProcessConsole(nullptr);
}

std::vector<std::string> WorkingFolder::TempLeftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "temp")) {
        if (entry.path().filename() != "ffmpeg") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteConverter(const std::string& body) {
    // Never through a link to Debian's converter.
    fs::remove("temp/ffmpeg");
    std::ofstream("temp/ffmpeg") << "#!/bin/sh\nfor a; do out=$a; done\n" << body;
    fs::permissions("temp/ffmpeg", fs::perms::owner_all);
}

} // namespace twtest
