#include "ZipArchive.h"

#include "LittleEndian.h"

#include <fstream>
#include <iterator>

#define ZLIB_CONST
#include <zlib.h>

namespace twtest {

namespace {

constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint32_t kDirectoryEntry = 0x02014b50;
constexpr uint32_t kLocalHeader = 0x04034b50;

} // namespace

bool ZipArchive::Open(const std::string& path) {
    entries.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.size() < 22) {
        return false;
    }
    // The end record is the last 22 bytes unless an archive comment follows it.
    size_t end = file.size() - 22;
    while (LeU32(file, end) != kEndOfDirectory) {
        if (end == 0 || file.size() - end > 22 + 0xFFFF) {
            return false;
        }
        --end;
    }
    const uint16_t count = LeU16(file, end + 10);
    size_t at = LeU32(file, end + 16);
    for (uint16_t i = 0; i < count; ++i) {
        if (at + 46 > end || LeU32(file, at) != kDirectoryEntry) {
            return false;
        }
        const size_t nameLength = LeU16(file, at + 28);
        const size_t skip = 46 + nameLength + LeU16(file, at + 30) + LeU16(file, at + 32);
        if (at + skip > end) {
            return false;
        }
        Entry e;
        e.method = LeU16(file, at + 10);
        e.crc = LeU32(file, at + 16);
        e.packedSize = LeU32(file, at + 20);
        e.size = LeU32(file, at + 24);
        e.localOffset = LeU32(file, at + 42);
        entries[file.substr(at + 46, nameLength)] = e;
        at += skip;
    }
    return true;
}

std::vector<std::string> ZipArchive::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, entry] : entries) {
        names.push_back(name);
    }
    return names;
}

bool ZipArchive::Read(const std::string& name, std::string& out) const {
    const auto found = entries.find(name);
    if (found == entries.end()) {
        return false;
    }
    const Entry& e = found->second;
    const size_t local = e.localOffset;
    if (local + 30 > file.size() || LeU32(file, local) != kLocalHeader) {
        return false;
    }
    // The local header's own sizes may be zero when a data descriptor follows the data: the
    // central directory's sizes are the ones to trust.
    const size_t start = local + 30 + LeU16(file, local + 26) + LeU16(file, local + 28);
    if (start + e.packedSize > file.size()) {
        return false;
    }
    out.assign(e.size, '\0');
    if (e.method == 0) {
        if (e.packedSize != e.size) {
            return false;
        }
        out = file.substr(start, e.size);
    } else if (e.method == 8) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
            return false;
        }
        z.next_in = reinterpret_cast<const Bytef*>(file.data() + start);
        z.avail_in = e.packedSize;
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = e.size;
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END || z.total_out != e.size) {
            return false;
        }
    } else {
        return false;
    }
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data());
    return crc32(0, bytes, static_cast<uInt>(out.size())) == e.crc;
}

} // namespace twtest
