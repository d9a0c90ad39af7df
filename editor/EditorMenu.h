// The editor's popup menu, opened by a right click anywhere on the editor or by the Menu key.
// Every item is made here, so that another item is a few lines; the panel binds their ids.
#pragma once

#include <wx/defs.h>
#include <wx/translation.h>

#include <memory>

class wxMenu;

struct EditorMenu {
    // Item ids, handled by the panel.
    enum : int {
        kSuggest = wxID_HIGHEST + 1901,
        kPhoneLoudness,
    };
    static constexpr const char* kSuggestLabel = wxTRANSLATE("Suggest the catchiest part\tS");
    static constexpr const char* kPhoneLoudnessLabel = wxTRANSLATE("Phone loudness");

    // phoneLoudness: whether the check item shows ticked.
    static std::unique_ptr<wxMenu> Build(bool phoneLoudness);
};
