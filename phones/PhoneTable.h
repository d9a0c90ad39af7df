// The phone catalogue as the program stores it: 1748 records of three scrambled, NUL-terminated
// 8-bit strings, in catalogue order. The build generates the definition of PhoneTable from
// phones/data/phones.tsv (see phones/tool/); PhoneCatalogue copies and unscrambles it at
// start-up. Nothing ever writes to it.
#pragma once

#include <array>

// One record in stored form: vendor, model, and the "|"-separated format codes.
struct StoredPhoneRecord {
    const char* vendor;
    const char* model;
    const char* formats;
};

inline constexpr int PhoneTableSize = 1748;

using StoredPhoneTable = std::array<StoredPhoneRecord, PhoneTableSize>;

// Records of one vendor are consecutive, and so are the records of one model within a vendor;
// the generator refuses data that breaks this, because the catalogue's queries rely on it.
extern const StoredPhoneTable PhoneTable;
