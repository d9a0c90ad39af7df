#include "phones/PhoneCatalogue.h"

#include <cstring>

#include "phones/PhoneCipher.h"

namespace {

std::unique_ptr<char[]> CopyText(const char* text) {
    const size_t size = std::strlen(text) + 1;
    auto copy = std::make_unique_for_overwrite<char[]>(size);
    std::memcpy(copy.get(), text, size);
    return copy;
}

bool SameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

bool InTable(int32_t index) {
    return index >= 0 && index < PhoneTableSize;
}

} // namespace

PhoneCatalogue::PhoneCatalogue(const StoredPhoneTable& table) {
    for (int k = 0; k < PhoneTableSize; ++k) {
        records[k].vendor = CopyText(table[k].vendor);
        records[k].model = CopyText(table[k].model);
        records[k].formats = CopyText(table[k].formats);
    }
    for (int k = 0; k < PhoneTableSize; ++k) {
        Unscramble(k, records[k].vendor.get());
        Unscramble(k, records[k].model.get());
        Unscramble(k, records[k].formats.get());
    }
}

void PhoneCatalogue::Unscramble(int recordIndex, char* text) {
    PhoneCipher::Unscramble(recordIndex, text);
}

const char* PhoneCatalogue::NextVendor() {
    if (!InTable(vendorCursor)) {
        return nullptr;
    }
    const char* vendor = records[vendorCursor].vendor.get();
    int32_t next = vendorCursor + 1;
    while (next < PhoneTableSize && SameText(records[next].vendor.get(), vendor)) {
        ++next;
    }
    vendorCursor = next < PhoneTableSize ? next : -1;
    return vendor;
}

bool PhoneCatalogue::SelectVendor(const char* vendor) {
    for (int32_t k = 0; k < PhoneTableSize; ++k) {
        if (SameText(records[k].vendor.get(), vendor)) {
            modelCursor = k;
            return true;
        }
    }
    return false;
}

const char* PhoneCatalogue::NextModel() {
    if (!InTable(modelCursor)) {
        return nullptr;
    }
    const PhoneRecord& current = records[modelCursor];
    int32_t next = modelCursor + 1;
    while (next < PhoneTableSize && SameText(records[next].model.get(), current.model.get())) {
        ++next;
    }
    const bool sameVendor =
        next < PhoneTableSize && SameText(records[next].vendor.get(), current.vendor.get());
    modelCursor = sameVendor ? next : -1;
    return current.model.get();
}

bool PhoneCatalogue::SupportsFormat(const char* vendor, const char* model,
                                    const char* format) const {
    for (const PhoneRecord& record : records) {
        if (SameText(record.vendor.get(), vendor) && SameText(record.model.get(), model) &&
            std::strstr(record.formats.get(), format) != nullptr) {
            return true;
        }
    }
    return false;
}
