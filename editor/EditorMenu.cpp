#include "editor/EditorMenu.h"

#include <wx/menu.h>

std::unique_ptr<wxMenu> EditorMenu::Build() {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(kSuggest, kSuggestLabel,
                 "Move the ringtone onto the part that comes back most often; again for the "
                 "next choice");
    return menu;
}
