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

} // namespace
