// One record of the PhoneCatalogue in plain text. The catalogue owns the three strings; each is
// its own NUL-terminated allocation of length + 1 bytes.
#pragma once

#include <memory>

struct PhoneRecord {
    std::unique_ptr<char[]> vendor;
    std::unique_ptr<char[]> model;
    // Format codes separated by "|", e.g. "WAV|MP3|MIDI".
    std::unique_ptr<char[]> formats;
};
