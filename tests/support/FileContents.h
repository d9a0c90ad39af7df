// A file's bytes, for tests that compare or parse what was written.
#pragma once

#include <filesystem>
#include <string>

namespace twtest {

// The whole file, or nothing when it can't be read.
std::string Contents(const std::filesystem::path& path);

} // namespace twtest
