#include <gtest/gtest.h>

#include "delivery/DeviceAddressText.h"

namespace {

TEST(DeviceAddressText, ShowsTheSixAddressBytesHighestFirst) {
    const struct {
        uint64_t address;
        const char* text;
    } cases[] = {
        {0x0000AABBCCDDEEFFull, "AA:BB:CC:DD:EE:FF"},
        {0x0000000000000000ull, "00:00:00:00:00:00"},
        {0x00000A0B0C0D0E0Full, "0A:0B:0C:0D:0E:0F"},
        {0xFFFF123456789ABCull, "12:34:56:78:9A:BC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatBluetoothAddress(c.address), c.text) << std::hex << c.address;
    }
}

TEST(DeviceAddressText, NamesTwoDevicesShareAreToldApartByTheirAddresses) {
    const std::vector<FoundDevice> devices = {{"Pixel 8", "AA:BB:CC:DD:71:13"},
                                              {"Headset", "00:00:00:00:00:01"},
                                              {"Pixel 8", "AA:BB:CC:DD:42:07"}};
    EXPECT_EQ(
        DeviceListLabels(devices),
        (std::vector<std::string>{"Pixel 8 (\u202671:13)", "Headset", "Pixel 8 (\u202642:07)"}));
    const std::vector<FoundDevice> alike = {{"Phone", "11:11:11:11:71:13"},
                                            {"Phone", "22:22:22:22:71:13"}};
    EXPECT_EQ(DeviceListLabels(alike),
              (std::vector<std::string>{"Phone (11:11:11:11:71:13)", "Phone (22:22:22:22:71:13)"}));
}

} // namespace
