// The name a ringtone file gets, on the phone and in the user's folder: the source's name, then
// " ringtone" and the format's extension. Characters that phones' file systems refuse
// (\ / : * ? " < > | and control characters) become "_"; the title tag carries the same name.
#pragma once

#include <string>

// sourcePath as UTF-8; only its last component counts, without its extension. The title is
// the file name without the extension.
std::string RingtoneTitle(const std::string& sourcePath);
std::string RingtoneFileName(const std::string& sourcePath, const std::string& extension);
