#include "TempDir.h"

#include <cstdlib>
#include <string>

namespace twtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "twtest-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        path = pattern;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path.empty()) {
        std::filesystem::remove_all(path, ignored);
    }
}

} // namespace twtest
