#include "import/ImportChecks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The system's error number of opening the file for reading; 0 when it can be.
int Unreadable(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno;
    }
    close(descriptor);
    return 0;
}

// Made and removed at once: the permission bits alone don't tell (root ignores them, and a
// read-only mount doesn't show in them).
// The system's error number of making a file there; 0 when one can be made.
int CantMakeFileIn(const fs::path& folder) {
    std::string name = (folder / "probe-XXXXXX").string();
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        return errno;
    }
    close(descriptor);
    unlink(name.c_str());
    return 0;
}

} // namespace

ImportError CheckBeforeConverting(const std::string& sourcePath, const std::string& converterPath,
                                  const std::string& workingPath, int* systemError) {
    int ignoredError = 0;
    int& reason = systemError != nullptr ? *systemError : ignoredError;
    reason = 0;
    std::error_code ignored;
    if (!fs::is_regular_file(sourcePath, ignored)) {
        return ImportError::NoSource;
    }
    reason = Unreadable(sourcePath);
    if (reason != 0) {
        return ImportError::SourceUnreadable;
    }
    const fs::path folder = fs::path(workingPath).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ignored)) {
        return ImportError::NoTempFolder;
    }
    reason = CantMakeFileIn(folder.empty() ? fs::path(".") : folder);
    if (reason != 0) {
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
