#include "phones/PhonePlatform.h"

#include <cstring>

PhonePlatform PlatformOfPhone(const PhoneCatalogue& catalogue, const char* vendor,
                              const char* model) {
    bool found = false;
    bool iPhone = true;
    bool android = true;
    for (const PhoneRecord& record : catalogue.records) {
        if (std::strcmp(record.vendor.get(), vendor) != 0 ||
            std::strcmp(record.model.get(), model) != 0) {
            continue;
        }
        found = true;
        iPhone = iPhone && std::strcmp(record.formats.get(), iPhoneFormats) == 0;
        android = android && std::strcmp(record.formats.get(), androidFormats) == 0;
    }
    if (found && iPhone) {
        return PhonePlatform::IPhone;
    }
    return found && android ? PhonePlatform::Android : PhonePlatform::Older;
}
