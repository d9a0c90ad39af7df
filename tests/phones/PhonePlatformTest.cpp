// Phones of each platform in the built-in catalogue: the labels the format box enables for
// them, and the kind of phone PlatformOfPhone makes of them.
#include <gtest/gtest.h>

#include <string>

#include "phones/PhonePlatform.h"

TEST(PhonePlatform, EachPlatformOffersItsFormatsAndIsKnownByThem) {
    using enum PhonePlatform;
    const struct {
        const char* vendor;
        const char* model;
        std::string labels;
        PhonePlatform platform;
    } cases[] = {
        {"Samsung", "Galaxy S23", "WAV MP3 AAC M4A ", Android},
        {"Xiaomi", "Redmi Note 12", "WAV MP3 AAC M4A ", Android},
        {"Any phone", "Android phone", "WAV MP3 AAC M4A ", Android},
        {"Apple", "iPhone SE (3rd generation)", "M4A ", IPhone},
        {"Any phone", "iPhone", "M4A ", IPhone},
        {"Nokia", "7210", "WAV MP3 AAC M4A ", Older}, // two records, neither the Android set
        {"SonyEricsson", "K750i", "WAV MP3 AAC ", Older},
        {"Nokia", "Galaxy S23", "", Older},
    };
    const PhoneCatalogue catalogue;
    for (const auto& c : cases) {
        std::string labels;
        for (const std::string label : {"WAV", "MP3", "AAC", "M4A", "WMA"}) {
            labels += catalogue.SupportsFormat(c.vendor, c.model, label.c_str()) ? label + " " : "";
        }
        EXPECT_EQ(labels, c.labels) << c.model;
        EXPECT_EQ(PlatformOfPhone(catalogue, c.vendor, c.model), c.platform) << c.model;
    }
}
