#include "editor/EditorMenu.h"

#include <wx/intl.h>
#include <wx/menu.h>

std::unique_ptr<wxMenu> EditorMenu::Build(bool phoneLoudness) {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(kSuggest, wxGetTranslation(kSuggestLabel),
                 _("Move the ringtone onto the part that comes back most often; again for the "
                   "next choice"));
    menu->AppendCheckItem(kPhoneLoudness, wxGetTranslation(kPhoneLoudnessLabel),
                          _("Bring the ringtone to a phone speaker's loudness; untick to go back "
                            "to the sound's own"));
    menu->Check(kPhoneLoudness, phoneLoudness);
    return menu;
}
