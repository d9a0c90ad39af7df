// Copies a finished ringtone into the folder the user chose so that it appears whole or not at
// all: the bytes go into a hidden file beside the target (named short, so that a name of the
// full 255 bytes still fits), are flushed to the disk, and the file
// is then renamed over the target. An existing target is replaced only by that rename (the
// window has asked first); on failure it is left as it was and the hidden file removed.
#pragma once

#include <string>

// Paths as UTF-8 bytes. False when from can't be read or the target's folder can't be written;
// then *systemError (when given) holds the system's error number of the step that failed, and
// the failure log has the reason.
bool SaveFileAtomically(const std::string& from, const std::string& to, int* systemError = nullptr);
