// What Convert and Send decides before anything is made, the files a phone is sent, saving's
// reasons, and the copy onto a phone the desktop has mounted: all without a window, over the
// fake mounted phones and a fake runtime folder.
#include "TempDir.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/SaveFile.h"
#include "delivery/UsbCopy.h"
#include "platform/fake/FakeMountedPhones.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

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
    const std::string infrared = FindDeliveryMethod("Infrared")->UnavailableText();
    const RingtoneFormat& m4r = *FindFormatByName("m4r");
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
        {"nothing imported", Ask(false, "Nokia", "6230", older, "MP3"), delivery_text::noMedia},
        {"no model", Ask(true, "Nokia", "", older, "MP3"), delivery_text::noPhone},
        {"a phone of no format",
         Ask(true, "Nokia", "3510i", Phone{PhonePlatform::Older, {"MIDI"}}, ""),
         "This phone takes none of the formats Tonewick makes (WAV, MP3, AAC, M4A, WMA).\n\n"
         "Choose the vendor \"Any phone\" in step 1 and the model closest to your phone instead."},
        {"no format", Ask(true, "Nokia", "6230", older, ""), delivery_text::noFormat},
        {"all silence", Ask(true, "Nokia", "6230", older, "MP3", "", "", 5, 5),
         delivery_text::silent},
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
         {delivery_text::noDevice}},
        {"infrared",
         Ask(true, "Nokia", "6230", older, "WAV", "Infrared"),
         "",
         PhonePlatform::Older,
         ".wav",
         5,
         DeliveryRoute::Save,
         {infrared}},
        {"iPhone over Bluetooth",
         Ask(true, "Apple", "iPhone 13 mini", iPhone, "M4A", "Bluetooth", "00:11:22:33:44:55"),
         "",
         PhonePlatform::IPhone,
         ".m4r",
         5,
         DeliveryRoute::Save,
         {delivery_text::iphoneNoBluetooth}},
        {"iPhone over Wi-Fi: an M4A of at most 30 seconds",
         Ask(true, "Apple", "iPhone 15", iPhone, "M4A", "Wi-Fi (scan a code)", "", 45),
         "",
         PhonePlatform::IPhone,
         ".m4a",
         30,
         DeliveryRoute::Deliver,
         {delivery_text::CutQuestion(*FindFormatByName("iphone-m4a"), 45)}},
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
         {delivery_text::iphoneNoCable}},
        {"Any phone, iPhone, too long",
         Ask(true, "Any phone", "iPhone", iPhone, "M4A", "", "", 45),
         "",
         PhonePlatform::IPhone,
         ".m4r",
         40,
         DeliveryRoute::Save,
         {delivery_text::CutQuestion(m4r, 45)}},
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
    EXPECT_EQ(PushRefusal("a.m4r"), delivery_text::pushM4r);
    EXPECT_EQ(PushRefusal("a.ogg"),
              "A phone judges a ringtone by its extension: name the file .wav, .mp3, .aac, .m4a "
              "or .wma.");
}

TEST(SaveFile, FailuresGiveTheSystemsReason) {
    const struct {
        int error;
        const char* reason;
    } reasons[] = {{EACCES, "no permission"},
                   {EROFS, "the folder is read-only"},
                   {ENOSPC, "no space left"},
                   {ENOENT, "the folder does not exist"},
                   {EIO, "input/output error"}};
    for (const auto& r : reasons) {
        EXPECT_EQ(delivery_text::SystemReason(r.error), r.reason);
    }
    twtest::TempDir dir;
    std::ofstream(dir.File("from.mp3")) << "x";
    int error = 0;
    EXPECT_FALSE(SaveFileAtomically(dir.File("from.mp3"), dir.File("no/x.mp3"), &error));
    EXPECT_EQ(delivery_text::SaveFailure(error),
              "The ringtone could not be written to the chosen folder: the folder does not "
              "exist.");
    // A name of the full 255 bytes is saved: the hidden file beside it has a short name.
    EXPECT_TRUE(SaveFileAtomically(dir.File("from.mp3"), dir.File(std::string(251, 'a') + ".mp3")));
}

class UsbCopyTest : public ::testing::Test {
protected:
    UsbCopyTest() { std::ofstream(file) << "ringtone bytes"; }
    twtest::TempDir dir;
    const std::string file = dir.File("Song ringtone.mp3");
    FakeMountedPhones phones;
};

TEST_F(UsbCopyTest, CopiesWholeIntoTheOnePhonesRingtonesOrSaysWhyNot) {
    const std::string pixel = "/gvfs/S1/Internal/Ringtones/Song ringtone.mp3";
    const std::string folder = " \u203a Internal \u203a Ringtones \u203a Song ringtone.mp3";
    constexpr int brokenOff = -1;
    const struct {
        const char* what;
        const char* connected; // "name|serial", separated by ";"
        const char* name;
        bool replace;
        const char* there; // already at the target
        int fault;         // of the copy: an errno, or brokenOff
        UsbError error;
        std::string message;
        std::string label = "Google Pixel 8"; // what the place calls the phone
    } cases[] = {
        {"one phone", "Google Pixel 8|S1", "", false, "", 0, UsbError::None, ""},
        {"none", "", "", false, "", 0, UsbError::NoPhone,
         "no phone connected in file-transfer mode"},
        {"several", "Google Pixel 8|S1;Samsung Galaxy S23|S2", "", false, "", 0,
         UsbError::SeveralPhones,
         "several phones are connected in file-transfer mode (Google Pixel 8, Samsung Galaxy S23): "
         "name one after --usb"},
        {"by its model, beside a longer name", "Google Pixel 8 Pro|S0;Google Pixel 8|S1", "pixel_8",
         false, "", 0, UsbError::None, ""},
        {"two alike: the serial picks one", "Google Pixel 8|S2;Google Pixel 8|S1", "s1", false, "",
         0, UsbError::None, "", "Google Pixel 8 (S1)"},
        {"a file of that name there", "Google Pixel 8|S1", "", false, "older", 0, UsbError::Exists,
         "there is a file of that name already (Google Pixel 8" + folder +
             "): add --replace to replace it"},
        {"replaced when asked", "Google Pixel 8|S1", "", true, "older", 0, UsbError::None, ""},
        {"read-only folder", "Google Pixel 8|S1", "", false, "", EROFS, UsbError::CopyFailed,
         "the file could not be copied onto the phone: the folder is read-only"},
        {"broken off", "Google Pixel 8|S1", "", false, "", brokenOff, UsbError::CopyFailed,
         "the file could not be copied whole onto the phone; nothing was left there"},
    };
    for (const auto& c : cases) {
        phones = FakeMountedPhones();
        phones.copyError = c.fault > 0 ? c.fault : 0;
        phones.copyBreaksAfter = c.fault == brokenOff ? 5 : 100;
        std::istringstream connected(c.connected);
        for (std::string name, serial;
             std::getline(connected, name, '|') && std::getline(connected, serial, ';');) {
            phones.phones.push_back({name, serial, {"/gvfs/" + serial + "/Internal"}});
        }
        if (*c.there != '\0') {
            phones.files[pixel] = c.there;
        }
        const UsbCopy copy = CopyToPhone(phones, file, c.name, c.replace);
        EXPECT_EQ(copy.error, c.error) << c.what;
        EXPECT_EQ(DescribeUsbCopy(copy), c.message) << c.what;
        const bool reached = !copy.names.empty() && c.error != UsbError::SeveralPhones;
        EXPECT_EQ(copy.path, reached ? pixel : "") << c.what;
        EXPECT_EQ(copy.place, reached ? c.label + folder : "") << c.what;
        EXPECT_EQ(phones.files[pixel], c.error == UsbError::None ? "ringtone bytes" : c.there)
            << c.what;
    }
}

TEST_F(UsbCopyTest, FindsTheMountedPhonesInTheRuntimeFolder) {
    const std::string storage =
        dir.File("gvfs/mtp:host=Google_Pixel_8_3A281FDH2000ZX/Internal shared storage");
    fs::create_directories(storage);
    fs::create_directories(dir.File("gvfs/mtp:host=SAMSUNG_SAMSUNG_Android_R58M12ABCDE"));
    fs::create_directories(dir.File("gvfs/mtp:host=Fairphone_FP5"));
    fs::create_directories(dir.File("gvfs/smb-share:server=nas"));
    const std::unique_ptr<MountedPhones> mounted = CreateMountedPhones(dir.Path());
    std::set<std::string> listed;
    for (const MountedPhones::Phone& phone : mounted->List()) {
        listed.insert(phone.name + "|" + phone.serial);
    }
    EXPECT_EQ(listed, (std::set<std::string>{"Fairphone FP5|", "Google Pixel 8|3A281FDH2000ZX",
                                             "SAMSUNG Android|R58M12ABCDE"}));
    EXPECT_EQ(PhoneRingtonesFolder(*mounted), "");
    const UsbCopy copy = CopyToPhone(*mounted, file, "Pixel 8");
    EXPECT_EQ(copy.error, UsbError::None);
    EXPECT_EQ(copy.path, storage + "/Ringtones/Song ringtone.mp3");
    EXPECT_EQ(fs::file_size(copy.path), fs::file_size(file));
    EXPECT_EQ(PhoneRingtonesFolder(*mounted), storage + "/Ringtones");
    EXPECT_EQ(PlaceOnPhone(*mounted, copy.path), "Google Pixel 8 \u203a Internal shared storage "
                                                 "\u203a Ringtones \u203a Song ringtone.mp3");
    EXPECT_EQ(PlaceOnPhone(*mounted, file), "");
    EXPECT_EQ(CopyToPhone(*mounted, file, "Pixel 8").error, UsbError::Exists);
}

} // namespace
