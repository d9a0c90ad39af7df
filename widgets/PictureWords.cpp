#include "widgets/PictureWords.h"

#include <wx/translation.h>

#include <array>

namespace {

struct Entry {
    const char* path;
    const char* words;
    AccessibleRole role;
};

constexpr AccessibleRole kButton = AccessibleRole::Unchanged;

const std::array<Entry, 18> kWords = {{
    {"images/select_media.bmp", wxTRANSLATE("Select media"), AccessibleRole::Label},
    {"images/PlayMedia.bmp", wxTRANSLATE("Play the song"), kButton},
    {"images/StopMedia.bmp", wxTRANSLATE("Stop the song"), kButton},
    {"images/ImportMedia.bmp", wxTRANSLATE("Import"), kButton},
    {"images/Help.bmp", wxTRANSLATE("Help"), kButton},
    {"images/edit_ringtone.bmp", wxTRANSLATE("Edit ringtone"), AccessibleRole::Heading},
    {"images/send_to_mobile.bmp", wxTRANSLATE("Send to mobile"), AccessibleRole::Heading},
    {"images/refresh.bmp", wxTRANSLATE("Search again"), kButton},
    {"images/time_title.bmp", wxTRANSLATE("Time"), AccessibleRole::Label},
    {"images/cut_title.bmp", wxTRANSLATE("Cut"), AccessibleRole::Label},
    {"images/fadein_title.bmp", wxTRANSLATE("Fade in"), AccessibleRole::Label},
    {"images/fadeout_title.bmp", wxTRANSLATE("Fade out"), AccessibleRole::Label},
    {"images/silence_title.bmp", wxTRANSLATE("Silence"), AccessibleRole::Label},
    {"images/effects_title.bmp", wxTRANSLATE("Effects"), AccessibleRole::Label},
    {"images/volume_title.bmp", wxTRANSLATE("Volume"), AccessibleRole::Label},
    {"images/playRingtone.bmp", wxTRANSLATE("Play the ringtone"), kButton},
    {"images/pauseRingtone.bmp", wxTRANSLATE("Pause the ringtone"), kButton},
    {"images/stopRingtone.bmp", wxTRANSLATE("Stop the ringtone"), kButton},
}};

} // namespace

PictureWords PictureWords::Of(const wxString& path) {
    for (const Entry& entry : kWords) {
        if (path == entry.path) {
            return {wxGetTranslation(entry.words), entry.role};
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
