// Asks the kernel to drop a file's pages from its cache. The import calls it on the old working
// file before the converter writes the new one: while the old file's hundreds of megabytes are
// still cached, writing as much again costs the converter a second of system time in reclaim,
// although the old file is only kept until the new one is good.
#pragma once

#include <string>

// Best effort: a missing or unreadable file, or a kernel that ignores the advice, changes
// nothing. The file itself is untouched.
void DropCachedPages(const std::string& path);
