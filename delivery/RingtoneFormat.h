// The file formats a ringtone is made in, and how the converter makes each of them. A plain
// read-only table; the window looks formats up by the label of the format box, the command-line
// tool by its lower-case name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where a format is offered to the user, the widest first.
enum class FormatOffer : uint8_t {
    // An item of the format box, a name of the command-line tool's --format, and a file a phone
    // takes by push or by cable.
    FormatBox,
    // A name of --format only: the iPhone's .m4r, which the plan picks for an iPhone.
    ByName,
    // Offered nowhere: a send method picks it itself (the Wi-Fi road's iPhone M4A).
    ByRoad,
};

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
    FormatOffer offer;
};

// Null for a label or name that is no ringtone format.
const RingtoneFormat* FindFormatByLabel(const std::string& label);
const RingtoneFormat* FindFormatByName(const std::string& name);
// The first format whose extension a file's name ends in, in any letter case; null for none.
const RingtoneFormat* FindFormatOfFile(const std::string& fileName);

// The formats offered where, in the table's order: the format box's items, and the names that
// --format takes (the box's and the .m4r).
std::vector<const RingtoneFormat*> FormatBoxFormats();
std::vector<const RingtoneFormat*> NamedFormats();

// One field of each format joined into a list for a sentence: "WAV, MP3" with ", ", or
// "wav, mp3 or m4r" with lastSeparator " or " before the last.
std::string JoinFormats(const std::vector<const RingtoneFormat*>& formats,
                        const char* RingtoneFormat::*field, const char* separator,
                        const char* lastSeparator);
