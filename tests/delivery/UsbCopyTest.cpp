// The copy onto a phone the desktop has mounted, over the fake mounted phones and a fake runtime
// folder.
#include "TempDir.h"

#include "delivery/UsbCopy.h"
#include "platform/fake/FakeMountedPhones.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

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
        {"several, one without a serial", "Google Pixel 8|S1;Samsung Galaxy S23|;", "", false, "", 0,
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
