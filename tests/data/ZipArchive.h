// The entries of a ZIP archive, stored or deflated, read through its central directory: just
// enough to check what the packed help book holds. No ZIP64, no encryption, no spanning.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace twtest {

class ZipArchive {
public:
    // Reads the whole file and its central directory; false when it isn't a readable ZIP.
    bool Open(const std::string& path);

    std::vector<std::string> Names() const;
    bool Contains(const std::string& name) const { return entries.count(name) != 0; }

    // The entry's bytes, inflated and checked against the stored CRC; false when the entry
    // is missing, uses another method or is damaged.
    bool Read(const std::string& name, std::string& out) const;

private:
    struct Entry {
        uint16_t method = 0;
        uint32_t crc = 0;
        uint32_t packedSize = 0;
        uint32_t size = 0;
        uint32_t localOffset = 0;
    };

    std::string file;
    std::map<std::string, Entry> entries;
};

} // namespace twtest
