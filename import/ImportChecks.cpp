#include "import/ImportChecks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool Readable(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    close(descriptor);
    return true;
}

// Made and removed at once: the permission bits alone don't tell (root ignores them, and a
// read-only mount doesn't show in them).
bool CanMakeFileIn(const fs::path& folder) {
    std::string name = (folder / "probe-XXXXXX").string();
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        return false;
    }
    close(descriptor);
    unlink(name.c_str());
    return true;
}

} // namespace

ImportError CheckBeforeConverting(const std::string& sourcePath, const std::string& converterPath,
                                  const std::string& workingPath) {
    std::error_code ignored;
    if (!fs::is_regular_file(sourcePath, ignored)) {
        return ImportError::NoSource;
    }
    if (!Readable(sourcePath)) {
        return ImportError::SourceUnreadable;
    }
    const fs::path folder = fs::path(workingPath).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ignored)) {
        return ImportError::NoTempFolder;
    }
    if (!CanMakeFileIn(folder.empty() ? fs::path(".") : folder)) {
        return ImportError::TempNotWritable;
    }
    if (!fs::exists(converterPath, ignored)) {
        return ImportError::NoConverter;
    }
    if (access(converterPath.c_str(), X_OK) != 0 || fs::is_directory(converterPath, ignored)) {
        return ImportError::ConverterNotExecutable;
    }
    return ImportError::None;
}
