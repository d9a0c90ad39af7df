#include "StoredTable.h"

#include <initializer_list>

#include "phones/PhoneCipher.h"

namespace twtest {

StoredTable::StoredTable(std::vector<PlainPhoneRecord> plain) {
    for (size_t k = plain.size(); k < PhoneTableSize; ++k) {
        plain.push_back({"Filler", "F" + std::to_string(k), ""});
    }
    // Sized once: the table points into these strings.
    texts.reserve(size_t{3} * PhoneTableSize);
    for (int k = 0; k < PhoneTableSize; ++k) {
        for (const std::string* field : {&plain[k].vendor, &plain[k].model, &plain[k].formats}) {
            texts.push_back(*field);
            PhoneCipher::Scramble(k, texts.back().data());
        }
        const std::string* fields = &texts[texts.size() - 3];
        table[k] = {fields[0].c_str(), fields[1].c_str(), fields[2].c_str()};
    }
}

} // namespace twtest
