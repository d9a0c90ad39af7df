#include "platform/FailureLog.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>

namespace {

std::mutex mutex;
// Empty for standard error. Guarded by mutex.
std::string filePath;

std::string Folded(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            if (!line.empty() && !line.ends_with(" | ")) {
                line += " | ";
            }
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

// Makes room for `bytes` more under the cap; the previous generation is given up.
void Rotate(const std::string& path, size_t bytes) {
    std::error_code ignored;
    const uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored && size + bytes > kFailureLogCapBytes) {
        std::filesystem::rename(path, path + ".1", ignored);
    }
}

} // namespace

void LogFailure(const std::string& context, const std::string& reason) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    const std::string line = std::string(stamp) + " " + context + ": " + Folded(reason) + "\n";

    const std::lock_guard<std::mutex> lock(mutex);
    if (filePath.empty()) {
        std::fputs(line.c_str(), stderr);
        return;
    }
    // The folder is made with the first line: a run without failures leaves nothing behind.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(filePath).parent_path(), ignored);
    Rotate(filePath, line.size());
    if (std::FILE* file = std::fopen(filePath.c_str(), "a")) {
        std::fputs(line.c_str(), file);
        std::fclose(file);
    }
}

void LogFailuresToFile(const std::string& path) {
    const std::lock_guard<std::mutex> lock(mutex);
    filePath = path;
}

void LogFailuresToStderr() {
    const std::lock_guard<std::mutex> lock(mutex);
    filePath.clear();
}

std::string FailureLogPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::string folder;
    // A relative XDG_STATE_HOME is invalid and ignored, as every XDG-aware program does.
    if (state != nullptr && state[0] == '/') {
        folder = state;
    } else {
        folder = std::string(home != nullptr ? home : "") + "/.local/state";
    }
    return folder + "/tonewick/tonewick.log";
}

std::string SystemMessage(int systemError) {
    return LowerFirst(std::strerror(systemError));
}

std::string LowerFirst(std::string text) {
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}
