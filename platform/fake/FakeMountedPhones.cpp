#include "platform/fake/FakeMountedPhones.h"

#include <fstream>
#include <iterator>

bool FakeMountedPhones::MakeFolder(const std::string& path, int*) {
    folders.insert(path);
    return true;
}

bool FakeMountedPhones::Copy(const std::string& from, const std::string& path, int* systemError) {
    if (copyError != 0) {
        if (systemError != nullptr) {
            *systemError = copyError;
        }
        return false;
    }
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    files[path] = bytes.substr(0, copyBreaksAfter);
    return bytes.size() <= copyBreaksAfter;
}

bool FakeMountedPhones::Read(const std::string& path, std::string& bytes) {
    const auto file = files.find(path);
    if (file == files.end()) {
        return false;
    }
    bytes = file->second;
    return true;
}
