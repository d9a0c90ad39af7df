#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StoredTable.h"
#include "phones/PhoneCatalogue.h"
#include "phones/PhonePlatform.h"
#include "phones/TextConversion.h"

namespace {

std::vector<std::string> AllVendors(PhoneCatalogue& catalogue) {
    std::vector<std::string> vendors;
    catalogue.vendorCursor = 0;
    while (const char* vendor = catalogue.NextVendor()) {
        vendors.emplace_back(vendor);
    }
    return vendors;
}

std::vector<std::string> ModelsOf(PhoneCatalogue& catalogue, const std::string& vendor) {
    std::vector<std::string> models;
    if (catalogue.SelectVendor(vendor.c_str())) {
        while (const char* model = catalogue.NextModel()) {
            models.emplace_back(model);
        }
    }
    return models;
}

// The built-in catalogue, built once for the tests that only read the real data.
class BuiltInPhoneCatalogue : public testing::Test {
protected:
    static void SetUpTestSuite() { catalogue = new PhoneCatalogue; }
    static void TearDownTestSuite() {
        delete catalogue;
        catalogue = nullptr;
    }
    static PhoneCatalogue* catalogue;
};

PhoneCatalogue* BuiltInPhoneCatalogue::catalogue = nullptr;

TEST_F(BuiltInPhoneCatalogue, CursorsStartExhausted) {
    const PhoneCatalogue fresh;
    EXPECT_EQ(fresh.vendorCursor, -1);
    EXPECT_EQ(fresh.modelCursor, -1);
}

TEST_F(BuiltInPhoneCatalogue, ListsEachVendorOnceInTableOrder) {
    const std::vector<std::string> vendors = AllVendors(*catalogue);
    ASSERT_EQ(vendors.size(), 27u);
    EXPECT_EQ(vendors.front(), "Any phone");
    EXPECT_EQ(vendors[1], "Alcatel");
    EXPECT_EQ(vendors.back(), "Xiaomi");
    EXPECT_EQ(catalogue->vendorCursor, -1);
    EXPECT_EQ(catalogue->NextVendor(), nullptr);
}

TEST_F(BuiltInPhoneCatalogue, ListsEachModelOnceEvenWhenItHasSeveralRecords) {
    // Nokia 6303 Classic and 7210 have two records each, one after the other.
    const std::vector<std::string> nokia = ModelsOf(*catalogue, "Nokia");
    EXPECT_EQ(nokia.size(), 263u); // 265 records
    EXPECT_EQ(std::count(nokia.begin(), nokia.end(), "6303 Classic"), 1);
    EXPECT_EQ(std::count(nokia.begin(), nokia.end(), "7210"), 1);

    size_t models = 0;
    for (const std::string& vendor : AllVendors(*catalogue)) {
        models += ModelsOf(*catalogue, vendor).size();
    }
    EXPECT_EQ(models, 1738u);
}

TEST_F(BuiltInPhoneCatalogue, ChoosingAVendorTwiceGivesTheSameModels) {
    EXPECT_EQ(ModelsOf(*catalogue, "Fairphone"), (std::vector<std::string>{"3", "3+", "4", "5"}));
    EXPECT_EQ(ModelsOf(*catalogue, "Fairphone"), (std::vector<std::string>{"3", "3+", "4", "5"}));
    EXPECT_EQ(ModelsOf(*catalogue, "Any phone"),
              (std::vector<std::string>{"Android phone", "iPhone"})); // the table's first records
    EXPECT_EQ(ModelsOf(*catalogue, "Apple").size(), 39u);
    EXPECT_EQ(ModelsOf(*catalogue, "Xiaomi").size(), 121u); // ends at the table's last record
}

// Names as their makers write them, up to late 2026; none doubtful, no phone under two names.
TEST_F(BuiltInPhoneCatalogue, ListsEachPhoneOnceAsItsMakerWritesIt) {
    const char* const listed[] = {"Samsung|Galaxy S26 Ultra", "Google|Pixel 10a",
                                  "Motorola|moto g7 power",   "Motorola|motorola one vision",
                                  "Xiaomi|POCO X6 Pro 5G",    "SonyEricsson|K750i"};
    const char* const gone[] = {
        "Motorola|Moto G7 Power", "Xiaomi|POCO X6 Pro", "HTC|Volans",
        "SonyEricsson|B10",       "HTC|Jade",           "SonyEricsson|K750"};
    const auto shown = [](const std::string& phone) {
        const size_t bar = phone.find('|');
        const std::vector<std::string> models = ModelsOf(*catalogue, phone.substr(0, bar));
        return std::count(models.begin(), models.end(), phone.substr(bar + 1));
    };
    for (const char* phone : listed) {
        EXPECT_EQ(shown(phone), 1) << phone;
    }
    for (const char* phone : gone) {
        EXPECT_EQ(shown(phone), 0) << phone;
    }
    // The codename's record joined the sold name's: Jade's MP3 is the Touch 3G's.
    EXPECT_TRUE(catalogue->SupportsFormat("HTC", "Touch 3G T3232", "MP3"));
}

TEST_F(BuiltInPhoneCatalogue, UnknownVendorIsRefusedAndTheModelCursorKept) {
    ASSERT_TRUE(catalogue->SelectVendor("Siemens"));
    const int32_t cursor = catalogue->modelCursor;
    EXPECT_FALSE(catalogue->SelectVendor("Nokla"));
    EXPECT_FALSE(catalogue->SelectVendor("nokia"));
    EXPECT_FALSE(catalogue->SelectVendor(""));
    EXPECT_EQ(catalogue->modelCursor, cursor);
    EXPECT_TRUE(ModelsOf(*catalogue, "Nokla").empty());
}

TEST_F(BuiltInPhoneCatalogue, FormatsOfAModelAreTheUnionOfItsRecords) {
    EXPECT_TRUE(catalogue->SupportsFormat("Motorola", "E398", "AAC")); // second record only
    EXPECT_TRUE(catalogue->SupportsFormat("Nokia", "7210", "WAV"));    // second record only
    EXPECT_FALSE(catalogue->SupportsFormat("Nokia", "7210", "WMA"));   // in neither
    EXPECT_FALSE(catalogue->SupportsFormat("Nokia", "3510i", "MIDI")); // no longer listed
}

TEST_F(BuiltInPhoneCatalogue, AModelUnderAnotherVendorDoesNotCount) {
    EXPECT_TRUE(catalogue->SupportsFormat("Nokia", "E61", "AAC"));
    EXPECT_FALSE(catalogue->SupportsFormat("Siemens", "E61", "AAC"));
    EXPECT_TRUE(catalogue->SupportsFormat("Any phone", "iPhone", "M4A"));
    EXPECT_FALSE(catalogue->SupportsFormat("Apple", "iPhone", "M4A")); // Apple's are numbered
    EXPECT_FALSE(catalogue->SupportsFormat("Nokia", "Galaxy S23", "MP3"));
}

TEST_F(BuiltInPhoneCatalogue, IPhonesAndAndroidPhonesAreKnownByTheirFormatsTheRestAreOlder) {
    const auto platform = [](const char* vendor, const char* model) {
        return PlatformOfPhone(*catalogue, vendor, model);
    };
    EXPECT_EQ(platform("Samsung", "Galaxy S23"), PhonePlatform::Android);
    EXPECT_EQ(platform("Any phone", "Android phone"), PhonePlatform::Android);
    EXPECT_EQ(platform("Apple", "iPhone 13 mini"), PhonePlatform::IPhone);
    EXPECT_EQ(platform("Any phone", "iPhone"), PhonePlatform::IPhone);
    EXPECT_EQ(platform("Nokia", "7210"), PhonePlatform::Older); // two records make the set
    EXPECT_EQ(platform("SonyEricsson", "K750i"), PhonePlatform::Older);
    EXPECT_EQ(platform("Nokia", "Galaxy S23"), PhonePlatform::Older); // not listed
}

TEST(PhoneCatalogue, FormatTestIsAPlainSubstringSearch) {
    const twtest::StoredTable stored({{"Ven", "M1", "XWAVX|SPMIDI|AAC"}});
    const PhoneCatalogue catalogue(stored.table);
    EXPECT_TRUE(catalogue.SupportsFormat("Ven", "M1", "WAV"));
    EXPECT_TRUE(catalogue.SupportsFormat("Ven", "M1", "MIDI"));
    EXPECT_TRUE(catalogue.SupportsFormat("Ven", "M1", "X|SP"));
    EXPECT_FALSE(catalogue.SupportsFormat("Ven", "M1", "MP3"));
    EXPECT_FALSE(catalogue.SupportsFormat("Ven", "M1", "wav"));
}

TEST(PhoneCatalogue, ANonAsciiModelNeverMatchesAfterPassingThroughAControl) {
    const twtest::StoredTable stored({{"Ven", "Caf\xE9", "WAV|MP3"}, {"Ven", "Caf_", "AAC"}});
    const PhoneCatalogue catalogue(stored.table);
    ASSERT_TRUE(catalogue.SupportsFormat("Ven", "Caf\xE9", "WAV"));

    const std::wstring shown = WidenText(catalogue.records[0].model.get());
    EXPECT_EQ(shown, L"Caf\u00E9");
    const std::string queried = NarrowText(shown);
    for (const char* format : {"WAV", "MP3", "AAC", "M4A", "WMA"}) {
        if (std::string(format) != "AAC") { // "Caf_" is another model, which has AAC
            EXPECT_FALSE(catalogue.SupportsFormat("Ven", queried.c_str(), format)) << format;
        }
    }
}

TEST(PhoneCatalogue, AModelNameSharedAcrossAVendorBoundaryStaysWithEachVendor) {
    const twtest::StoredTable stored({{"A", "X1", "WAV"},
                                      {"A", "Same", "WAV"},
                                      {"A", "Same", "MP3"},
                                      {"B", "Same", "AAC"},
                                      {"B", "Y2", "AAC"}});
    PhoneCatalogue catalogue(stored.table);
    EXPECT_EQ(ModelsOf(catalogue, "A"), (std::vector<std::string>{"X1", "Same"}));
    EXPECT_EQ(catalogue.modelCursor, -1);
    EXPECT_EQ(ModelsOf(catalogue, "B"), (std::vector<std::string>{"Same", "Y2"}));
    EXPECT_FALSE(catalogue.SupportsFormat("A", "Same", "AAC"));
    EXPECT_TRUE(catalogue.SupportsFormat("B", "Same", "AAC"));
}

TEST(PhoneCatalogue, CursorsOutsideTheTableGiveNull) {
    const twtest::StoredTable stored({});
    PhoneCatalogue catalogue(stored.table);
    catalogue.vendorCursor = PhoneTableSize;
    catalogue.modelCursor = PhoneTableSize;
    EXPECT_EQ(catalogue.NextVendor(), nullptr);
    EXPECT_EQ(catalogue.NextModel(), nullptr);
    catalogue.modelCursor = PhoneTableSize - 1;
    EXPECT_STREQ(catalogue.NextModel(), "F1747");
    EXPECT_EQ(catalogue.modelCursor, -1);
}

} // namespace
