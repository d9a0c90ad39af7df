// The window's texts in the user's language: wxTranslations over the program's catalogue
// ("tonewick", the one that text/Translation.h reads without the toolkit) and the toolkit's own
// (wxstd, for its dialogs' captions and buttons), and the pictures drawn with that language's
// words. The application calls it once at start-up, after the toolkit has started; the tests
// call it again to switch the language.
#pragma once

#include <wx/string.h>

#include <filesystem>

// Loads the catalogues for `language` ("de", "pt_BR"; empty for the desktop's) from the folder
// that holds LANG/LC_MESSAGES/tonewick.mo, replacing the translations in use.
void UseWindowLanguage(const std::filesystem::path& catalogues, const wxString& language = {});
