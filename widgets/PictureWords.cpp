#include "widgets/PictureWords.h"

#include <array>

namespace {

struct Entry {
    const char* path;
    const char* words;
    AccessibleRole role;
};

constexpr AccessibleRole kButton = AccessibleRole::Unchanged;

const std::array<Entry, 18> kWords = {{
    {"images/select_media.bmp", "Select media", AccessibleRole::Label},
    {"images/PlayMedia.bmp", "Play the song", kButton},
    {"images/StopMedia.bmp", "Stop the song", kButton},
    {"images/ImportMedia.bmp", "Import", kButton},
    {"images/Help.bmp", "Help", kButton},
    {"images/edit_ringtone.bmp", "Edit ringtone", AccessibleRole::Heading},
    {"images/send_to_mobile.bmp", "Send to mobile", AccessibleRole::Heading},
    {"images/refresh.bmp", "Search again", kButton},
    {"images/time_title.bmp", "Time", AccessibleRole::Label},
    {"images/cut_title.bmp", "Cut", AccessibleRole::Label},
    {"images/fadein_title.bmp", "Fade in", AccessibleRole::Label},
    {"images/fadeout_title.bmp", "Fade out", AccessibleRole::Label},
    {"images/silence_title.bmp", "Silence", AccessibleRole::Label},
    {"images/effects_title.bmp", "Effects", AccessibleRole::Label},
    {"images/volume_title.bmp", "Volume", AccessibleRole::Label},
    {"images/playRingtone.bmp", "Play the ringtone", kButton},
    {"images/pauseRingtone.bmp", "Pause the ringtone", kButton},
    {"images/stopRingtone.bmp", "Stop the ringtone", kButton},
}};

} // namespace

PictureWords PictureWords::Of(const wxString& path) {
    for (const Entry& entry : kWords) {
        if (path == entry.path) {
            return {entry.words, entry.role};
        }
    }
    return {wxString(), AccessibleRole::Unchanged};
}

void PictureWords::Name(wxWindow* window, const wxString& path) {
    const PictureWords words = Of(path);
    if (!words.words.empty()) {
        SetAccessibleName(window, words.words, words.role);
    }
}
