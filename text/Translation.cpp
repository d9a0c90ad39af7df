#include "text/Translation.h"

#include <clocale>
#include <cstdio>
#include <langinfo.h>
#include <libintl.h>
#include <locale.h>

const char* Tr(const char* text) {
    return dgettext(kTextDomain, text);
}

const char* TrPlural(const char* singular, const char* plural, unsigned long count) {
    return dngettext(kTextDomain, singular, plural, count);
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            text += pattern[i];
            continue;
        }
        size_t end = i + 1;
        size_t index = next;
        size_t number = 0;
        while (end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9') {
            number = number * 10 + static_cast<size_t>(pattern[end] - '0');
            ++end;
        }
        if (number > 0 && end + 1 < pattern.size() && pattern[end] == '$' &&
            pattern[end + 1] == 's') {
            index = number - 1;
            end += 1;
        } else if (pattern[i + 1] == 's') {
            end = i + 1;
            ++next;
        } else {
            // "%%", or a percent sign that starts no placeholder, stands for itself.
            text += '%';
            i += pattern[i + 1] == '%' ? 1 : 0;
            continue;
        }
        if (index < values.size()) {
            text += values.begin()[index];
        }
        i = end;
    }
    return text;
}

std::string LocalDecimal(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string number = text;
    // The process keeps LC_NUMERIC at "C"; the user's separator comes from their own locale.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", nullptr);
    if (user == nullptr) {
        return number;
    }
    const std::string separator = nl_langinfo_l(RADIXCHAR, user);
    freelocale(user);
    const size_t point = number.find('.');
    if (point != std::string::npos && !separator.empty()) {
        number.replace(point, 1, separator);
    }
    return number;
}

std::filesystem::path CatalogueFolder(const std::filesystem::path& program) {
    std::filesystem::path beside = program.parent_path() / "locale";
    std::error_code error;
    if (std::filesystem::is_directory(beside, error)) {
        return beside;
    }
    return (program.parent_path() / "../../share/locale").lexically_normal();
}

void UseDesktopLanguage(const std::filesystem::path& program) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    bindtextdomain(kTextDomain, CatalogueFolder(program).c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}
