// The phones of each platform in the built-in catalogue: which of the format box's labels each
// one supports, and which kind of phone PlatformOfPhone makes of it.
#include <gtest/gtest.h>

#include <string>

#include "phones/PhoneCatalogue.h"
#include "phones/PhonePlatform.h"

namespace {

std::string SupportedLabels(const PhoneCatalogue& catalogue, const char* vendor,
                            const char* model) {
    std::string labels;
    for (const char* label : {"WAV", "MP3", "AAC", "M4A", "WMA"}) {
        if (catalogue.SupportsFormat(vendor, model, label)) {
            labels += labels.empty() ? label : std::string(" ") + label;
        }
    }
    return labels;
}

TEST(PhonePlatform, EachPlatformOffersItsFormatsAndIsKnownByThem) {
    struct Case {
        const char* vendor;
        const char* model;
        const char* labels;
        PhonePlatform platform;
    };
    const Case cases[] = {
        {"Samsung", "Galaxy S23", "WAV MP3 AAC M4A", PhonePlatform::Android},
        {"Google", "Pixel 7a", "WAV MP3 AAC M4A", PhonePlatform::Android},
        {"Xiaomi", "Redmi Note 12", "WAV MP3 AAC M4A", PhonePlatform::Android},
        {"Nokia", "G50", "WAV MP3 AAC M4A", PhonePlatform::Android},
        {"Apple", "iPhone 13 mini", "M4A", PhonePlatform::IPhone},
        {"Apple", "iPhone SE (3rd generation)", "M4A", PhonePlatform::IPhone},
        {"Any phone", "Android phone", "WAV MP3 AAC M4A", PhonePlatform::Android},
        {"Any phone", "iPhone", "M4A", PhonePlatform::IPhone},
        // Two records whose union is the Android set, but neither is: still an older phone.
        {"Nokia", "7210", "WAV MP3 AAC M4A", PhonePlatform::Older},
        {"SonyEricsson", "K750i", "WAV MP3 AAC", PhonePlatform::Older},
        {"Nokia", "Galaxy S23", "", PhonePlatform::Older},
    };
    const PhoneCatalogue catalogue;
    for (const Case& c : cases) {
        EXPECT_EQ(SupportedLabels(catalogue, c.vendor, c.model), c.labels) << c.model;
        EXPECT_EQ(PlatformOfPhone(catalogue, c.vendor, c.model), c.platform) << c.model;
    }
}

} // namespace
