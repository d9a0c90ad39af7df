// The program's texts in the user's language without the toolkit: the libraries below the window
// (delivery, the editor's core, the import, the command-line tool) translate through libintl's
// gettext here, so that tonewick-cli speaks the user's language without loading wxWidgets. The
// window's own texts go through wxTranslations, which reads the same catalogue, "tonewick".
//
// The source texts are English. xgettext finds them by these names (see po/CMakeLists.txt):
// Tr, TrPlural and N_, the last for texts kept in tables that are translated where they are
// shown.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for the catalogue without translating it: for constants and tables, whose text
// goes through Tr where it is shown. Spelt as wxWidgets spells it, which defines it too.
#if !defined(N_)
#define N_(s) (s)
#endif

inline constexpr const char* kTextDomain = "tonewick";

// The text in the user's language, or the text itself when the catalogue has none. The result
// lives as long as the process.
const char* Tr(const char* text);

// The singular or the plural (as the user's language forms it) for `count`.
const char* TrPlural(const char* singular, const char* plural, unsigned long count);

// Puts `values` in place of the pattern's "%s" in order, or of "%N$s" by number (1 for the
// first), so that a translation can reorder them; "%%" is a percent sign. A missing value
// leaves nothing.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

// A number with `decimals` digits after the decimal separator of the user's locale ("-7,2" in
// German): for texts people read only. Parsing and files keep the C locale's point.
std::string LocalDecimal(double value, int decimals);

// Where the message catalogues are (LANG/LC_MESSAGES/tonewick.mo): `locale` beside the program
// in the build tree, else share/locale of the prefix it is installed under (PREFIX/lib/tonewick/).
std::filesystem::path CatalogueFolder(const std::filesystem::path& program);

// Takes the desktop's locale for messages, character types, collation and the like, keeps
// numbers in the C locale's form for every parser and printf in the process, and points
// gettext at the catalogue folder. Call once, first thing in main.
void UseDesktopLanguage(const std::filesystem::path& program);
