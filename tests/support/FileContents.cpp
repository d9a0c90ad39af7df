#include "FileContents.h"

#include <fstream>
#include <iterator>

namespace twtest {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace twtest
