// The Bluetooth finder over the real BlueZ layer, with BlueZ mocked by python3-dbusmock's
// bluez5 template on a private system bus. The search runs on a thread of its own while the
// test plays the radio: it waits until the adapter discovers, reports devices, then ends the
// discovery. Bounds on waiting only guard against a hang.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BluetoothMockBuses.h"
#include "CapturedOutput.h"
#include "delivery/BluetoothFinder.h"
#include "platform/linux/BlueZInquiry.h"

namespace {

using twtest::DBusMock;

constexpr auto noHang = std::chrono::seconds(60);
const std::string adapterPath = "/org/bluez/hci0";

struct Search {
    const BluetoothDeviceTable* table = nullptr;
    std::vector<int32_t> progress;
    std::vector<std::string> names;
    std::vector<uint64_t> addresses;
};

void RecordProgress(int32_t value, void* search) {
    static_cast<Search*>(search)->progress.push_back(value);
}

class BlueZSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(twtest::StartBlueZ(mock)) << mock.Error();
        finder = std::make_unique<BluetoothFinder>();
        finder->output = output.Stream();
    }

    bool Mock(const std::string& method, const std::string& arguments) {
        const bool done = mock.Call("/org/bluez", "org.bluez.Mock", method, arguments);
        EXPECT_TRUE(done) << method << ": " << mock.Error();
        return done;
    }

    bool OnObject(const std::string& path, const std::string& method,
                  const std::string& arguments) {
        const bool done = mock.Call(path, "org.freedesktop.DBus.Mock", method, arguments);
        EXPECT_TRUE(done) << method << " " << path << ": " << mock.Error();
        return done;
    }

    static std::string DevicePath(const std::string& address) {
        std::string path = adapterPath + "/dev_" + address;
        for (char& c : path) {
            c = c == ':' ? '_' : c;
        }
        return path;
    }

    // A device that this discovery reports, with a class and a name when given.
    void Report(const std::string& address, const std::string& name, uint32_t cod) {
        std::string properties = "{'Address': <'" + address + "'>, 'RSSI': <int16 -60>";
        if (!name.empty()) {
            properties += ", 'Name': <'" + name + "'>";
        }
        if (cod != 0) {
            properties += ", 'Class': <uint32 " + std::to_string(cod) + ">";
        }
        properties += "}";
        const std::string path = DevicePath(address);
        OnObject("/", "AddObject",
                 "('" + path + "', 'org.bluez.Device1', " + properties + ", @a(ssss) [])");
        OnObject("/", "EmitSignal",
                 "('org.freedesktop.DBus.ObjectManager', 'InterfacesAdded', 'oa{sa{sv}}', "
                 "[<objectpath '" +
                     path + "'>, <{'org.bluez.Device1': " + properties + "}>])");
    }

    void Update(const std::string& path, const std::string& interface,
                const std::string& properties) {
        OnObject(path, "UpdateProperties", "('" + interface + "', " + properties + ")");
    }

    bool AdapterDiscovers() { return twtest::AdapterDiscovers(mock); }

    // Runs a search; `radio` plays the devices once the adapter discovers, then the discovery
    // ends (as when BlueZ stops it) unless `radio` returns false.
    Search Run(const std::function<bool()>& radio) {
        Search search;
        auto done = std::async(std::launch::async,
                               [&] { search.table = finder->Lookup(RecordProgress, &search); });
        EXPECT_TRUE(twtest::WaitUntilDiscovering(mock));
        if (radio()) {
            twtest::EndDiscovery(mock);
        }
        if (done.wait_for(noHang) != std::future_status::ready) {
            ADD_FAILURE() << "the search did not end";
            mock.StopMock();
        }
        done.wait();
        for (int32_t i = 0; search.table != nullptr && i < search.table->count; ++i) {
            search.names.push_back(search.table->entries[static_cast<size_t>(i)].name);
            search.addresses.push_back(search.table->entries[static_cast<size_t>(i)].address);
        }
        return search;
    }

    DBusMock mock;
    twtest::CapturedOutput output;
    std::unique_ptr<BluetoothFinder> finder;
};

TEST_F(BlueZSearch, ListsTheNamedDevicesThisDiscoveryReportsWithTheirClassLines) {
    const Search search = Run([&] {
        Report("00:11:22:33:44:55", "Phone", 0x005A020C);
        Report("AA:BB:CC:DD:EE:01", "Cellular", 0x005A0204);
        Report("AA:BB:CC:DD:EE:02", "Headset", 0x00240404);
        return true;
    });
    EXPECT_EQ(search.names, (std::vector<std::string>{"Phone", "Cellular", "Headset"}));
    EXPECT_EQ(search.addresses,
              (std::vector<uint64_t>{0x001122334455ull, 0xAABBCCDDEE01ull, 0xAABBCCDDEE02ull}));
    EXPECT_EQ(search.progress, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(output.Text(),
              "Device is found: Phone \nCOD [0x00] [0x5A] [0x02] [0x0C] \n"
              "MAJOR_COD [0x02], MINOR_COD [0x03] \nCan't determine device type. \n"
              "Device is found: Cellular \nCOD [0x00] [0x5A] [0x02] [0x04] \n"
              "MAJOR_COD [0x02], MINOR_COD [0x01] \nThis is a mobile phone. \n"
              "Device is found: Headset \nCOD [0x00] [0x24] [0x04] [0x04] \n"
              "MAJOR_COD [0x04], MINOR_COD [0x01] \nCan't determine device type. \n");
}

TEST_F(BlueZSearch, ADeviceWithoutANameIsSkippedWithoutProgress) {
    const Search search = Run([&] {
        Report("00:00:00:00:00:01", "", 0x005A020C);
        Report("00:00:00:00:00:02", "Named", 0);
        return true;
    });
    EXPECT_EQ(search.names, std::vector<std::string>{"Named"});
    EXPECT_EQ(search.progress, std::vector<int32_t>{1});
}

TEST_F(BlueZSearch, ADeviceWhoseNameArrivesLaterIsListedOnceWithThatName) {
    const Search search = Run([&] {
        Report("00:00:00:00:00:07", "", 0);
        const std::string path = DevicePath("00:00:00:00:00:07");
        OnObject(path, "AddProperty", "('org.bluez.Device1', 'Name', <''>)");
        Update(path, "org.bluez.Device1", "{'Name': <'Late phone'>}");
        Update(path, "org.bluez.Device1", "{'RSSI': <int16 -50>}");
        return true;
    });
    EXPECT_EQ(search.names, std::vector<std::string>{"Late phone"});
    EXPECT_EQ(search.progress, std::vector<int32_t>{1});
}

TEST_F(BlueZSearch, ARememberedDeviceCountsOnlyWhenThisDiscoveryHearsIt) {
    ASSERT_TRUE(Mock("AddDevice", "('hci0', '11:11:11:11:11:11', 'Remembered')"));
    ASSERT_TRUE(Mock("AddDevice", "('hci0', '22:22:22:22:22:22', 'Heard again')"));
    const Search search = Run([&] {
        Update(DevicePath("22:22:22:22:22:22"), "org.bluez.Device1", "{'RSSI': <int16 -40>}");
        return true;
    });
    EXPECT_EQ(search.names, std::vector<std::string>{"Heard again"});
    EXPECT_EQ(search.addresses, std::vector<uint64_t>{0x222222222222ull});
}

TEST_F(BlueZSearch, ASecondSearchFindingFewerDevicesListsOnlyThose) {
    Run([&] {
        Report("00:00:00:00:00:01", "One", 0);
        Report("00:00:00:00:00:02", "Two", 0);
        return true;
    });
    const Search second = Run([&] {
        Update(DevicePath("00:00:00:00:00:02"), "org.bluez.Device1", "{'RSSI': <int16 -40>}");
        return true;
    });
    EXPECT_EQ(second.names, std::vector<std::string>{"Two"});
    EXPECT_EQ(second.progress, std::vector<int32_t>{1});
}

TEST_F(BlueZSearch, AsksForClassicBluetoothAndStopsItsDiscoveryWhenTheTimeRunsOut) {
    finder->searchMilliseconds = 300;
    const Search search = Run([] { return false; });
    EXPECT_EQ(search.table, nullptr);
    EXPECT_FALSE(AdapterDiscovers());
    std::string filter;
    ASSERT_TRUE(mock.Call(adapterPath, "org.freedesktop.DBus.Properties", "Get",
                          "('org.bluez.Adapter1', 'DiscoveryFilter')", &filter));
    EXPECT_NE(filter.find("'Transport': <'bredr'>"), std::string::npos) << filter;
}

TEST_F(BlueZSearch, BlueZLeavingDuringTheSearchIsReportedAndKeepsWhatWasFound) {
    const Search search = Run([&] {
        Report("00:00:00:00:00:01", "Before", 0);
        mock.StopMock();
        return false;
    });
    EXPECT_EQ(search.names, std::vector<std::string>{"Before"});
    const std::string text = output.Text();
    EXPECT_EQ(text.substr(text.rfind("=CRITICAL=")),
              "=CRITICAL= | WSALookupServiceNext() failed with error code " +
                  std::to_string(BlueZInquiry::serviceGoneError) + "\n");
}

} // namespace
