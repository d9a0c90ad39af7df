// What Convert and Send decides before anything is made and the files a phone is sent, without
// a window.
#include "DeliveryTexts.h"

#include "delivery/DeliveryPlan.h"

#include <gtest/gtest.h>

namespace {

namespace said = twtest::said;

// A model as the window finds it in the catalogue: its kind and the codes it lists.
struct Phone {
    PhonePlatform kind;
    std::vector<std::string> codes;
};
const Phone android{PhonePlatform::Android, {"WAV", "MP3", "AAC", "M4A"}};
const Phone older{PhonePlatform::Older, {"WAV", "MP3", "AAC", "M4A", "MIDI", "AMR"}};
const Phone iPhone{PhonePlatform::IPhone, {"M4A"}};

DeliveryRequest Ask(bool media, const char* vendor, const char* model, const Phone& phone,
                    const char* format, const char* method = "", const char* device = "",
                    int32_t seconds = 5, int32_t silence = 0) {
    return {media,  vendor, model,  phone.kind, phone.codes,
            format, method, device, seconds,    silence};
}

TEST(DeliveryPlan, DecidesWhatIsMadeForWhichPhoneWhereItGoesAndWhatIsAsked) {
    const struct {
        const char* what;
        DeliveryRequest request;
        std::string stop;
        PhonePlatform phone = PhonePlatform::Older;
        const char* extension = "";
        int32_t seconds = 0;
        DeliveryRoute route = DeliveryRoute::Save;
        std::vector<std::string> questions = {};
    } cases[] = {
        {"nothing imported", Ask(false, "Nokia", "6230", older, "MP3"), said::noMedia},
        {"no model", Ask(true, "Nokia", "", older, "MP3"), said::noPhone},
        {"a phone of no format",
         Ask(true, "Nokia", "3510i", Phone{PhonePlatform::Older, {"MIDI"}}, ""),
         said::phoneTakesNoFormat},
        {"no format", Ask(true, "Nokia", "6230", older, ""), said::noFormat},
        {"all silence", Ask(true, "Nokia", "6230", older, "MP3", "", "", 5, 5), said::silent},
        {"nothing chosen: every missing piece at once", Ask(false, "Nokia", "", older, ""),
         "Import a media file first.\n\nChoose your phone's vendor and model in step "
         "1.\n\nChoose the ringtone's format in step 2."},
        {"older phone, no method",
         Ask(true, "Nokia", "6230", older, "MP3"),
         "",
         PhonePlatform::Older,
         ".mp3",
         5,
         DeliveryRoute::Save,
         {}},
        {"Android over Bluetooth",
         Ask(true, "Google", "Pixel 8", android, "M4A", "Bluetooth", "00:11:22:33:44:55", 50),
         "",
         PhonePlatform::Android,
         ".m4a",
         50,
         DeliveryRoute::Deliver,
         {}},
        {"Any phone, Android, no device",
         Ask(true, "Any phone", "Android phone", android, "MP3", "Bluetooth"),
         "",
         PhonePlatform::Android,
         ".mp3",
         5,
         DeliveryRoute::Save,
         {said::noDevice}},
        {"infrared",
         Ask(true, "Nokia", "6230", older, "WAV", "Infrared"),
         "",
         PhonePlatform::Older,
         ".wav",
         5,
         DeliveryRoute::Save,
         {said::infraredUnavailable}},
        {"iPhone over Bluetooth",
         Ask(true, "Apple", "iPhone 13 mini", iPhone, "M4A", "Bluetooth", "00:11:22:33:44:55"),
         "",
         PhonePlatform::IPhone,
         ".m4r",
         5,
         DeliveryRoute::Save,
         {said::iphoneNoBluetooth}},
        {"iPhone over Wi-Fi: an M4A of at most 30 seconds",
         Ask(true, "Apple", "iPhone 15", iPhone, "M4A", "Wi-Fi (scan a code)", "", 45),
         "",
         PhonePlatform::IPhone,
         ".m4a",
         30,
         DeliveryRoute::Deliver,
         {"An iPhone sets a ringtone from the Files app only up to 30 seconds, and this ringtone "
          "lasts 45 seconds.\n\nContinue with its first 30 seconds? The fade-out then ends at the "
          "new end."}},
        {"Android over Wi-Fi, no address chosen",
         Ask(true, "Google", "Pixel 8", android, "MP3", "Wi-Fi (scan a code)"),
         "",
         PhonePlatform::Android,
         ".mp3",
         5,
         DeliveryRoute::Deliver,
         {}},
        {"Android by cable",
         Ask(true, "Google", "Pixel 8", android, "M4A", "USB cable"),
         "",
         PhonePlatform::Android,
         ".m4a",
         5,
         DeliveryRoute::Deliver,
         {}},
        {"iPhone by cable",
         Ask(true, "Apple", "iPhone 15", iPhone, "M4A", "USB cable"),
         "",
         PhonePlatform::IPhone,
         ".m4r",
         5,
         DeliveryRoute::Save,
         {"This computer can't put a ringtone on an iPhone by cable. Choose \"Wi-Fi (scan a "
          "code)\" in step 3 instead: the iPhone downloads the ringtone and sets it in the Files "
          "app (iOS 26 and later).\n\nSave the .m4r file instead, for the software you sync the "
          "iPhone with?"}},
        {"Any phone, iPhone, too long",
         Ask(true, "Any phone", "iPhone", iPhone, "M4A", "", "", 45),
         "",
         PhonePlatform::IPhone,
         ".m4r",
         40,
         DeliveryRoute::Save,
         {said::m4rOf45Seconds}},
    };
    for (const auto& c : cases) {
        const DeliveryPlan plan = PlanDelivery(c.request);
        EXPECT_EQ(plan.stop, c.stop) << c.what;
        if (!c.stop.empty()) {
            continue;
        }
        EXPECT_EQ(plan.phone, c.phone) << c.what;
        ASSERT_NE(plan.format, nullptr) << c.what;
        EXPECT_STREQ(plan.format->extension, c.extension) << c.what;
        EXPECT_EQ(plan.seconds, c.seconds) << c.what;
        EXPECT_EQ(plan.route, c.route) << c.what;
        EXPECT_EQ(plan.questions, c.questions) << c.what;
    }
    DeliveryRequest unsearched = Ask(true, "Google", "Pixel 8", android, "MP3", "Bluetooth");
    unsearched.searchFailure = DeliveryError::NoBluetoothService;
    EXPECT_EQ(PlanDelivery(unsearched).questions,
              std::vector<std::string>{"Bluetooth can't be used: this computer's Bluetooth service "
                                       "(BlueZ) is not running. Start the Bluetooth service "
                                       "(systemctl start bluetooth).\n\nSave the ringtone file "
                                       "instead?"});
    EXPECT_EQ(PushRefusal("a.M4A"), "");
    EXPECT_EQ(PushRefusal("a.m4r"),
              "An .m4r file is for iPhones, which take no ringtone over Bluetooth or by cable from "
              "this computer: offer it with --wifi, or add it with the software the iPhone syncs "
              "with.");
    EXPECT_EQ(PushRefusal("a.ogg"), "A phone judges a ringtone by its extension: name the file "
                                    ".wav, .mp3, .aac, .m4a or .wma.");
}

} // namespace
