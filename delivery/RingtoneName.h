// The name a ringtone file gets, on the phone and in the user's folder: the imported source's
// name, then " ringtone" and the format's extension. Characters that phones' file systems
// refuse (\ / : * ? " < > | and control characters) become "_", and a long name is shortened
// at a whole UTF-8 character so that the file's name fits the 255 bytes file systems allow,
// keeping the " ringtone" mark and the extension.
#pragma once

#include <cstddef>
#include <string>

inline constexpr size_t maxFileNameBytes = 255;

// The file name without its extension, which is also the title tag of a source that has no
// title. sourcePath as UTF-8; only its last component counts, without its extension.
// extension comes with its dot: the stem leaves room for it.
std::string RingtoneStem(const std::string& sourcePath, const std::string& extension);
