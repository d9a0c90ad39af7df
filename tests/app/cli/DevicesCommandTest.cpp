// "tonewick-cli devices": its command line, and its output over BlueZ mocked on a private
// system bus and over a kernel without infrared.
#include "app/cli/DevicesCommand.h"
#include "BluetoothMockBuses.h"
#include "DeliveryTexts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <sstream>

using twtest::DBusMock;

TEST(DevicesCommand, RefusesAMalformedCommandLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bluetooth", "--infrared"},
        {"--infrared", "--seconds", "3"},
        {"--bluetooth", "--seconds"},
        {"--bluetooth", "--seconds", "0"},
        {"--bluetooth", "--seconds", "3601"},
        {"--bluetooth", "--seconds", "2.5"},
        {"--bluetooth", "--seconds", "-1"},
        {"--bluetooth", "--bluetooth"},
        {"--bluetooth", "--seconds", "2", "--seconds", "3"},
        {"--bluetooth", "phone"},
    };
    for (const auto& args : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunDevicesCommand(args, out, err), 2) << testing::PrintToString(args);
        EXPECT_EQ(out.str(), "") << testing::PrintToString(args);
        EXPECT_NE(err.str(), "") << testing::PrintToString(args);
    }
}

// Finding nothing is no failure, but a search that could not run is; either way stderr says
// what to do.
TEST(DevicesCommand, ExitsOneOnlyWhenTheSearchCouldNotRun) {
    DBusMock noBus;
    noBus.ExportMissingBus(DBusMock::Bus::System);
    DBusMock adapterOnly;
    const struct {
        std::vector<std::string> args;
        std::function<bool()> setUp;
        int status;
        const char* note;
    } cases[] = {
        {{"--infrared"}, [] { return true; }, 1, "This computer has no infrared port it can use."},
        {{"--bluetooth"},
         [] { return true; },
         1,
         "Bluetooth can't be used: this computer's system message bus (D-Bus) is not running. "
         "Start it, then start the Bluetooth service."},
        {{"--bluetooth", "--seconds", "1"},
         [&] { return twtest::StartBlueZ(adapterOnly); },
         0,
         twtest::said::nothingFound},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.setUp()) << adapterOnly.Error();
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunDevicesCommand(c.args, out, err), c.status) << c.args[0];
        EXPECT_EQ(out.str(), "") << c.args[0];
        EXPECT_EQ(err.str(), std::string("tonewick-cli devices: ") + c.note + "\n");
    }
}

TEST(DevicesCommand, PrintsTheFinderLinesThenOneLinePerDevice) {
    DBusMock mock;
    ASSERT_TRUE(twtest::StartBlueZ(mock)) << mock.Error();
    std::ostringstream out;
    std::ostringstream err;
    auto done = std::async(std::launch::async, [&] {
        return RunDevicesCommand({"--bluetooth", "--seconds", "60"}, out, err);
    });
    ASSERT_TRUE(twtest::WaitUntilDiscovering(mock));
    ASSERT_TRUE(mock.Call("/org/bluez", "org.bluez.Mock", "AddDevice",
                          "('hci0', '0A:1B:2C:3D:4E:5F', 'Phone')"));
    ASSERT_TRUE(twtest::EndDiscovery(mock));
    ASSERT_EQ(done.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_EQ(done.get(), 0);
    EXPECT_EQ(out.str(), "Device is found: Phone \nCOD [0x00] [0x00] [0x00] [0x00] \n"
                         "MAJOR_COD [0x00], MINOR_COD [0x00] \nCan't determine device type. \n"
                         "Phone\t0A:1B:2C:3D:4E:5F\n");
    EXPECT_EQ(err.str(), "");
}
