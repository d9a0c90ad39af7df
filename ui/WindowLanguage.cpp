#include "ui/WindowLanguage.h"

#include "text/Translation.h"
#include "widgets/LookPictures.h"

#include <wx/translation.h>

void UseWindowLanguage(const std::filesystem::path& catalogues, const wxString& language) {
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(catalogues.string()));
    auto* translations = new wxTranslations;
    if (!language.empty()) {
        translations->SetLanguage(language);
    }
    // Owns it from here, and frees the translations it replaces.
    wxTranslations::Set(translations);
    translations->AddStdCatalog();
    translations->AddCatalog(kTextDomain);
    // The pictures' words in the same language: English when the catalogue has none.
    const wxString chosen = translations->GetBestTranslation(kTextDomain);
    UsePictureLanguage(chosen.StartsWith("en") ? wxString() : chosen);
}
