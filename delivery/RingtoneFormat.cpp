#include "delivery/RingtoneFormat.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

// MP4 files go through the "ipod" muxer: its M4A brand is what the iPhone looks for in an .m4r.
// ADTS has no tags of its own; an ID3v2 header in front carries the title. The AAC encoder's
// noise substitution fills noisy bands with noise of its own, whose peaks fall where they will:
// without it a file's decoded true peak follows the level it was made from, which phone
// loudness relies on to correct an overshoot (RingtoneJob). An iPhone that downloads its
// ringtone sets it from the Files app, where reports put the limit at 30 seconds: an M4A of that
// length, listed after the plain M4A so that the format box's label finds that.
constexpr RingtoneFormat formats[] = {
    {"WAV", "wav", ".wav", "wav", "pcm_s16le", "", "", 0, "audio/wav", FormatOffer::FormatBox},
    {"MP3", "mp3", ".mp3", "mp3", "libmp3lame", "192k", "", 0, "audio/mpeg",
     FormatOffer::FormatBox},
    {"AAC", "aac", ".aac", "adts", "aac", "160k", "-aac_pns 0 -write_id3v2 1", 0, "audio/aac",
     FormatOffer::FormatBox},
    {"M4A", "m4a", ".m4a", "ipod", "aac", "160k", "-aac_pns 0", 0, "audio/mp4",
     FormatOffer::FormatBox},
    {"M4R", "m4r", ".m4r", "ipod", "aac", "160k", "-aac_pns 0", 40, "audio/mp4",
     FormatOffer::ByName},
    {"WMA", "wma", ".wma", "asf", "wmav2", "160k", "", 0, "audio/x-ms-wma", FormatOffer::FormatBox},
    {"M4A", "iphone-m4a", ".m4a", "ipod", "aac", "160k", "-aac_pns 0", 30, "audio/mp4",
     FormatOffer::ByRoad},
};

} // namespace

const RingtoneFormat* FindFormatByLabel(const std::string& label) {
    for (const RingtoneFormat& format : formats) {
        if (label == format.label) {
            return &format;
        }
    }
    return nullptr;
}

const RingtoneFormat* FindFormatByName(const std::string& name) {
    for (const RingtoneFormat& format : formats) {
        if (name == format.name) {
            return &format;
        }
    }
    return nullptr;
}

const RingtoneFormat* FindFormatOfFile(const std::string& fileName) {
    const size_t dot = fileName.find_last_of("./");
    if (dot == std::string::npos || fileName[dot] != '.') {
        return nullptr;
    }
    std::string extension = fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const RingtoneFormat& format : formats) {
        if (extension == format.extension) {
            return &format;
        }
    }
    return nullptr;
}

namespace {

// The rows offered at least as widely as `reach`; FormatOffer lists the widest first.
std::vector<const RingtoneFormat*> OfferedUpTo(FormatOffer reach) {
    std::vector<const RingtoneFormat*> offered;
    for (const RingtoneFormat& format : formats) {
        if (format.offer <= reach) {
            offered.push_back(&format);
        }
    }
    return offered;
}

} // namespace

std::vector<const RingtoneFormat*> FormatBoxFormats() {
    return OfferedUpTo(FormatOffer::FormatBox);
}

std::vector<const RingtoneFormat*> NamedFormats() {
    return OfferedUpTo(FormatOffer::ByName);
}

std::string JoinFormats(const std::vector<const RingtoneFormat*>& formats,
                        const char* RingtoneFormat::*field, const char* separator,
                        const char* lastSeparator) {
    std::string joined;
    for (size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) {
            joined += i + 1 == formats.size() ? lastSeparator : separator;
        }
        joined += formats[i]->*field;
    }
    return joined;
}
