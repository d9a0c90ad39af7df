// Why Bluetooth can't search or send, over BlueZ and obexd mocked on private buses: each step
// of the computer's side gets its own reason, for the search and for a push whose obexd could
// not reach the phone, and "could not be reached" is left for a phone obexd really tried.
#include "BluetoothMockBuses.h"
#include "TempDir.h"

#include "delivery/BluetoothFinder.h"
#include "delivery/ObexPush.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>

namespace {

using twtest::Adapter;
using twtest::DBusMock;

void Count(int32_t, void* calls) {
    ++*static_cast<int*>(calls);
}

DeliveryError Push(const std::string& file) {
    ObexPush push;
    push.Start("00:11:22:33:44:55", file);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!push.Finished() && std::chrono::steady_clock::now() < limit) {
        ObexPush::Iterate(false);
    }
    EXPECT_TRUE(push.Finished());
    return push.Current().error;
}

TEST(BluetoothReasons, EachStepOfTheComputersSideHasItsOwnReason) {
    const auto noBus = [](DBusMock& mock) {
        mock.ExportMissingBus(DBusMock::Bus::System);
        return true;
    };
    const auto noBlueZ = [](DBusMock& mock) { return mock.StartBus(DBusMock::Bus::System); };
    const auto blueZ = [](Adapter adapter) {
        return [adapter](DBusMock& mock) { return twtest::StartBlueZ(mock, adapter); };
    };
    const auto obex = [](const char* outcome) {
        return [outcome](DBusMock& mock) { return twtest::StartObex(mock, outcome); };
    };
    const struct {
        const char* what;
        std::function<bool(DBusMock&)> system;
        std::function<bool(DBusMock&)> session;
        DeliveryError search;
        DeliveryError push;
    } cases[] = {
        {"no system bus", noBus, obex("unreachable"), DeliveryError::NoSystemBus,
         DeliveryError::NoSystemBus},
        {"no BlueZ", noBlueZ, obex("unreachable"), DeliveryError::NoBluetoothService,
         DeliveryError::NoBluetoothService},
        {"no adapter", blueZ(Adapter::None), obex("unreachable"), DeliveryError::NoBluetoothAdapter,
         DeliveryError::NoBluetoothAdapter},
        {"adapter off", blueZ(Adapter::Off), obex("unreachable"), DeliveryError::BluetoothOff,
         DeliveryError::BluetoothOff},
        {"obexd dies on start", blueZ(Adapter::On), twtest::StartDyingObex, DeliveryError::None,
         DeliveryError::ObexServiceFailed},
        {"phone out of reach", blueZ(Adapter::On), obex("unreachable"), DeliveryError::None,
         DeliveryError::Unreachable},
        {"phone refuses", blueZ(Adapter::On), obex("refuse"), DeliveryError::None,
         DeliveryError::Refused},
    };
    twtest::TempDir dir;
    const std::string file = dir.File("Tune.mp3");
    std::ofstream(file) << "tune";
    for (const auto& c : cases) {
        DBusMock system;
        DBusMock session;
        ASSERT_TRUE(c.system(system)) << c.what << ": " << system.Error();
        ASSERT_TRUE(c.session(session)) << c.what << ": " << session.Error();
        std::FILE* lines = std::tmpfile();
        BluetoothFinder finder;
        finder.output = lines;
        finder.searchMilliseconds = 300;
        int progress = 0;
        const auto start = std::chrono::steady_clock::now();
        const DeviceSearchResult result = finder.Search(Count, &progress, nullptr);
        // A search that cannot run ends at once, says nothing on its diagnostic lines and
        // never moves the dialog.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.what;
        EXPECT_EQ(result.failure, c.search) << c.what;
        EXPECT_TRUE(result.devices.empty()) << c.what;
        EXPECT_EQ(progress, 0) << c.what;
        EXPECT_EQ(std::ftell(lines), 0) << c.what;
        std::fclose(lines);
        EXPECT_EQ(Push(file), c.push) << c.what;
        // An adapter that is off is the one reason the program can mend itself.
        EXPECT_EQ(finder.SwitchOn(), c.search == DeliveryError::BluetoothOff) << c.what;
        if (c.search == DeliveryError::BluetoothOff) {
            EXPECT_EQ(finder.Search(nullptr, nullptr, nullptr).failure, DeliveryError::None);
        }
    }
}

} // namespace
