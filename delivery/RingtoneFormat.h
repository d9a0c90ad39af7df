// The file formats a ringtone is made in, and how the converter makes each of them. A plain
// read-only table; the window looks formats up by the label of the format box, the command-line
// tool by its lower-case name.
#pragma once

#include <cstdint>
#include <string>

struct RingtoneFormat {
    // The format box's label ("WAV", ..., "WMA"); "M4R" for the iPhone's ringtone file.
    const char* label;
    // The command-line tool's name for it ("wav", ...).
    const char* name;
    // With the leading dot: phones judge a file's type by it.
    const char* extension;
    // The converter's muxer and encoder, and the bit rate ("" for PCM).
    const char* muxer;
    const char* codec;
    const char* bitRate;
    // Further options of the encoder and the muxer, "-name value" pairs, or "".
    const char* muxerOption;
    // Longest ringtone the format takes, in seconds; 0 for no limit.
    int32_t maxSeconds;
    // The media type a download of the file carries.
    const char* mediaType;
};

// Null for a label or name that is no ringtone format.
const RingtoneFormat* FindFormatByLabel(const std::string& label);
const RingtoneFormat* FindFormatByName(const std::string& name);
// The first format whose extension a file's name ends in, in any letter case; null for none.
const RingtoneFormat* FindFormatOfFile(const std::string& fileName);
