// The Bluetooth finder over a scripted inquiry: its lines, its table and its bounds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "delivery/BluetoothFinder.h"
#include "platform/fake/ScriptedInquiry.h"

namespace {

using Step = ScriptedInquiry::Step;
using Status = BluetoothInquiry::Status;

Step Named(const std::string& name, uint64_t address = 0, uint32_t cod = 0) {
    Step step;
    step.device.name = name;
    step.device.address = address;
    step.device.classOfDevice = cod;
    return step;
}

Step Nameless(uint64_t address) {
    Step step;
    step.device.address = address;
    return step;
}

struct FinderRig {
    FinderRig() {
        auto scripted = std::make_unique<ScriptedInquiry>();
        inquiry = scripted.get();
        inquiry->clock = &clock;
        finder = std::make_unique<BluetoothFinder>(std::move(scripted));
        finder->output = output.Stream();
        finder->tickCount = [] { return ticks; };
        ticks = 5000;
        clock = 5000;
    }
    BluetoothDeviceTable* Lookup() {
        progress.clear();
        return finder->Lookup(Progress, this, Tick);
    }
    static void Progress(int32_t value, void* rig) {
        static_cast<FinderRig*>(rig)->progress.push_back(value);
    }
    static void Tick(void* rig) { ticks = static_cast<FinderRig*>(rig)->clock; }
    std::vector<std::string> Names(const BluetoothDeviceTable* table) const {
        std::vector<std::string> names;
        for (int32_t i = 0; table != nullptr && i < table->count; ++i) {
            names.push_back(table->entries[static_cast<size_t>(i)].name);
        }
        return names;
    }

    static inline uint32_t ticks = 0;
    uint32_t clock = 0;
    twtest::CapturedOutput output;
    ScriptedInquiry* inquiry = nullptr;
    std::unique_ptr<BluetoothFinder> finder;
    std::vector<int32_t> progress;
};

TEST(BluetoothFinder, WritesTheNameAndTheClassReadingOfEveryNamedDevice) {
    const struct {
        const char* what;
        uint32_t cod;
        const char* lines;
    } cases[] = {
        {"class bytes 00 5A 02 0C", 0x005A020C,
         "Device is found: Phone \nCOD [0x00] [0x5A] [0x02] [0x0C] \n"
         "MAJOR_COD [0x02], MINOR_COD [0x03] \nCan't determine device type. \n"},
        {"cellular phone", 0x005A0204,
         "Device is found: Phone \nCOD [0x00] [0x5A] [0x02] [0x04] \n"
         "MAJOR_COD [0x02], MINOR_COD [0x01] \nThis is a mobile phone. \n"},
        {"headset", 0x00240404,
         "Device is found: Phone \nCOD [0x00] [0x24] [0x04] [0x04] \n"
         "MAJOR_COD [0x04], MINOR_COD [0x01] \nCan't determine device type. \n"},
        {"no class", 0,
         "Device is found: Phone \nCOD [0x00] [0x00] [0x00] [0x00] \n"
         "MAJOR_COD [0x00], MINOR_COD [0x00] \nCan't determine device type. \n"},
    };
    for (const auto& c : cases) {
        FinderRig rig;
        rig.inquiry->steps = {Named("Phone", 0x0000AABBCCDDEEFFull, c.cod)};
        const BluetoothDeviceTable* table = rig.Lookup();
        ASSERT_NE(table, nullptr) << c.what;
        EXPECT_EQ(rig.output.Text(), c.lines) << c.what;
        EXPECT_EQ(table->count, 1) << c.what;
        EXPECT_EQ(table->entries[0].address, 0x0000AABBCCDDEEFFull) << c.what;
        EXPECT_EQ(rig.progress, std::vector<int32_t>{1}) << c.what;
    }
}

TEST(BluetoothFinder, NamesAreWrittenAndStoredAsUtf8) {
    FinderRig rig;
    rig.inquiry->steps = {Named("K\xC3\xA4ttes Handy \xF0\x9F\x93\xB1")};
    ASSERT_NE(rig.Lookup(), nullptr);
    EXPECT_EQ(rig.Names(rig.finder->devices.get()),
              std::vector<std::string>{"K\xC3\xA4ttes Handy \xF0\x9F\x93\xB1"});
    EXPECT_EQ(
        rig.output.Text().rfind("Device is found: K\xC3\xA4ttes Handy \xF0\x9F\x93\xB1 \n", 0), 0u);
}

TEST(BluetoothFinder, ANamelessDeviceIsSkippedWithoutMovingTheProgress) {
    FinderRig rig;
    rig.inquiry->steps = {Nameless(1), Named("A", 2), Nameless(3), Named("B", 4)};
    const BluetoothDeviceTable* table = rig.Lookup();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rig.Names(table), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(table->entries[1].address, 4u);
    EXPECT_EQ(rig.progress, (std::vector<int32_t>{1, 2}));
}

TEST(BluetoothFinder, FindsNothingWhenNoNamedDeviceAnswers) {
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {{"no device at all", {}}, {"only nameless devices", {Nameless(1), Nameless(2)}}};
    for (const auto& c : cases) {
        FinderRig rig;
        rig.inquiry->steps = c.steps;
        EXPECT_EQ(rig.Lookup(), nullptr) << c.what;
        EXPECT_TRUE(rig.progress.empty()) << c.what;
        EXPECT_EQ(rig.output.Text(), "") << c.what;
        EXPECT_EQ(rig.inquiry->endCount, 1) << c.what;
    }
}

TEST(BluetoothFinder, ASearchThatCannotStartFindsNothingAndEndsNothing) {
    FinderRig failedBegin;
    failedBegin.inquiry->beginSucceeds = false;
    failedBegin.inquiry->steps = {Named("A")};
    EXPECT_EQ(failedBegin.Lookup(), nullptr);
    EXPECT_EQ(failedBegin.inquiry->endCount, 0);
    EXPECT_EQ(failedBegin.inquiry->receiveCount, 0);

    auto unreachable = std::make_unique<ScriptedInquiry>();
    unreachable->connected = false;
    ScriptedInquiry* inquiry = unreachable.get();
    BluetoothFinder finder(std::move(unreachable));
    EXPECT_EQ(finder.devices, nullptr);
    EXPECT_EQ(finder.Lookup(nullptr, nullptr), nullptr);
    EXPECT_EQ(inquiry->beginCount, 0);
}

TEST(BluetoothFinder, AFirstResultTooLargeForTheBufferIsRetriedNotCounted) {
    FinderRig rig;
    rig.inquiry->steps = {Named("A rather long device name that needs room", 7),
                          Named(std::string(500, 'x'), 8)};
    const BluetoothDeviceTable* table = rig.Lookup();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->count, 2);
    EXPECT_EQ(table->entries[0].name, "A rather long device name that needs room");
    EXPECT_EQ(table->entries[1].name, std::string(500, 'x'));
    // Each device was received once: the retries handed out the held result.
    EXPECT_EQ(rig.inquiry->receiveCount, 3);
    EXPECT_EQ(rig.progress, (std::vector<int32_t>{1, 2}));
}

TEST(BluetoothFinder, AFailingInquiryIsReportedAndKeepsWhatWasFound) {
    FinderRig rig;
    Step failure;
    failure.status = Status::Failed;
    failure.errorCode = 10050;
    rig.inquiry->steps = {Named("A", 1, 0x0C), failure, Named("B")};
    const BluetoothDeviceTable* table = rig.Lookup();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rig.Names(table), std::vector<std::string>{"A"});
    const std::string text = rig.output.Text();
    EXPECT_EQ(text.substr(text.rfind("=CRITICAL=")),
              "=CRITICAL= | WSALookupServiceNext() failed with error code 10050\n");
    EXPECT_EQ(rig.inquiry->endCount, 1);
}

TEST(BluetoothFinder, ASecondSearchCountsOnlyItsOwnDevices) {
    FinderRig rig;
    rig.inquiry->steps = {Named("A", 1), Named("B", 2), Named("C", 3)};
    ASSERT_NE(rig.Lookup(), nullptr);
    rig.inquiry->steps = {Named("D", 4)};
    const BluetoothDeviceTable* table = rig.Lookup();
    ASSERT_EQ(table, rig.finder->devices.get());
    EXPECT_EQ(rig.Names(table), std::vector<std::string>{"D"});
    EXPECT_EQ(table->entries[0].address, 4u);
    EXPECT_EQ(rig.finder->deviceCount, 1);
    rig.inquiry->steps = {};
    EXPECT_EQ(rig.Lookup(), nullptr);
    EXPECT_EQ(rig.finder->deviceCount, 0);
    EXPECT_EQ(rig.finder->devices->count, 1);
}

TEST(BluetoothFinder, StopsOnceTheTableIsFull) {
    FinderRig rig;
    for (int i = 0; i < 300; ++i) {
        rig.inquiry->steps.push_back(
            Named("Device " + std::to_string(i), static_cast<uint64_t>(i)));
    }
    const BluetoothDeviceTable* table = rig.Lookup();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->count, BluetoothDeviceTable::capacity);
    EXPECT_EQ(table->entries[255].name, "Device 255");
    EXPECT_EQ(rig.inquiry->receiveCount, BluetoothDeviceTable::capacity);
    EXPECT_EQ(rig.progress.back(), 256);
}

TEST(BluetoothFinder, AsksForMoreOnlyWhileTheSearchTimeLasts) {
    const struct {
        const char* what;
        std::vector<uint32_t> advances;
        std::vector<int> timesLeft;
        int32_t count;
    } cases[] = {
        {"all within the time", {1000, 4000, 4000}, {10000, 9000, 5000, 1000}, 3},
        {"exactly at the bound one more is asked", {10000, 1}, {10000, 0}, 2},
        {"a device that took past the bound is kept, then nothing more is asked",
         {5000, 5001, 1},
         {10000, 5000},
         2},
    };
    for (const auto& c : cases) {
        FinderRig rig;
        for (uint32_t advance : c.advances) {
            Step step = Named("D");
            step.advanceMs = advance;
            rig.inquiry->steps.push_back(step);
        }
        const BluetoothDeviceTable* table = rig.Lookup();
        ASSERT_NE(table, nullptr) << c.what;
        EXPECT_EQ(table->count, c.count) << c.what;
        EXPECT_EQ(rig.inquiry->timesLeft, c.timesLeft) << c.what;
    }
}

TEST(BluetoothFinder, TheSearchTimeCanBeChosen) {
    FinderRig rig;
    rig.finder->searchMilliseconds = 3000;
    Step late = Named("B");
    late.advanceMs = 3001;
    rig.inquiry->steps = {Named("A"), late, Named("C")};
    EXPECT_EQ(rig.Names(rig.Lookup()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(rig.inquiry->timesLeft, (std::vector<int>{3000, 3000}));
}

} // namespace
