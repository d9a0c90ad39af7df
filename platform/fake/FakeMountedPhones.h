// MountedPhones held in memory for the tests: the phones and folders they set up, files as
// byte strings, and a copy that can be made to break off partway as MTP transfers do, or to
// fail at once with a system error.
#pragma once

#include "platform/MountedPhones.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

class FakeMountedPhones : public MountedPhones {
public:
    std::vector<Phone> phones;
    std::set<std::string> folders;
    std::map<std::string, std::string> files;
    // A copy keeps only this many bytes and fails when the file is longer.
    size_t copyBreaksAfter = static_cast<size_t>(-1);
    // Not 0: a copy fails with this errno and writes nothing.
    int copyError = 0;

    std::vector<Phone> List() override { return phones; }
    bool IsFolder(const std::string& path) override { return folders.contains(path); }
    bool Exists(const std::string& path) override {
        return folders.contains(path) || files.contains(path);
    }
    bool MakeFolder(const std::string& path, int* systemError) override;
    bool Copy(const std::string& from, const std::string& path, int* systemError) override;
    bool Read(const std::string& path, std::string& bytes) override;
    bool Remove(const std::string& path) override { return files.erase(path) > 0; }
};
