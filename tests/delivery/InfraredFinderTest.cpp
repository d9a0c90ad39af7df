// The infrared finder over a scripted stack, the reading of its device list, and the Linux
// stack on a kernel without IrDA.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "delivery/InfraredFinder.h"
#include "platform/fake/ScriptedInfrared.h"

namespace {

using Device = ScriptedInfrared::Device;

void RecordInfraredProgress(int32_t value, void* user) {
    static_cast<std::vector<int32_t>*>(user)->push_back(value);
}

struct InfraredRig {
    InfraredRig() {
        auto scripted = std::make_unique<ScriptedInfrared>();
        stack = scripted.get();
        finder = std::make_unique<InfraredFinder>(std::move(scripted));
        finder->sleep = [](uint32_t milliseconds) { slept += milliseconds; };
        slept = 0;
    }
    const uint8_t* Lookup() { return finder->Lookup(Progress, this, CountWait); }
    static void Progress(int32_t value, void* rig) {
        static_cast<InfraredRig*>(rig)->progress.push_back(value);
    }
    static void CountWait(void* rig) { ++static_cast<InfraredRig*>(rig)->waits; }
    std::vector<std::string> Names(const uint8_t* list) const {
        std::vector<std::string> names;
        for (uint32_t i = 0; list != nullptr && i < InfraredDeviceCount(list); ++i) {
            names.push_back(InfraredDeviceName(list, i));
        }
        return names;
    }

    static inline uint32_t slept = 0;
    ScriptedInfrared* stack = nullptr;
    std::unique_ptr<InfraredFinder> finder;
    std::vector<int32_t> progress;
    int waits = 0;
};

TEST(InfraredFinder, TriesTenTimesForAboutTwoSecondsWhenNoDeviceAnswers) {
    InfraredRig rig;
    EXPECT_EQ(rig.Lookup(), nullptr);
    EXPECT_EQ(rig.progress, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(InfraredRig::slept, 2000u);
    EXPECT_EQ(rig.waits, 20); // every 100 ms of the pauses
    EXPECT_EQ(rig.stack->openCount, 1);
    EXPECT_EQ(rig.stack->closeCount, 1);
    EXPECT_EQ(rig.finder->irdaSocket, InfraredStack::invalidSocket);
}

TEST(InfraredFinder, ADeviceFirstReportedAtTheThirdAttemptEndsTheAttempts) {
    InfraredRig rig;
    rig.stack->lists = {{}, {}, {{0x11223344, "Phone"}}, {{0x55, "Later"}}};
    const uint8_t* list = rig.Lookup();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, rig.finder->deviceListBuffer.data());
    EXPECT_EQ(rig.Names(list), std::vector<std::string>{"Phone"});
    EXPECT_EQ(InfraredDeviceIdentifier(list, 0), 0x11223344u);
    EXPECT_EQ(rig.progress, (std::vector<int32_t>{0, 1, 2}));
    // The empty answers shortened the length; every attempt still offered the whole buffer.
    EXPECT_EQ(rig.stack->lengthsIn, (std::vector<int>{256, 256, 256}));
    EXPECT_EQ(rig.stack->closeCount, 1);
}

TEST(InfraredFinder, ListsDevicesInTheStacksOrderWithNamesCutAtNulOrTwentyTwoBytes) {
    InfraredRig rig;
    rig.stack->lists = {{{1, "First"}, {2, "Twenty-two bytes long!"}, {3, ""}}};
    const uint8_t* list = rig.Lookup();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(rig.Names(list), (std::vector<std::string>{"First", "Twenty-two bytes long!", ""}));
    EXPECT_EQ(InfraredDeviceIdentifier(list, 1), 2u);
    EXPECT_EQ(rig.progress, std::vector<int32_t>{0});
    EXPECT_EQ(InfraredRig::slept, 0u);
}

TEST(InfraredFinder, FindsNothingAtOnceWhenTheStackFails) {
    const struct {
        const char* what;
        bool opens;
        int failingRead;
        std::vector<int32_t> progress;
        int closes;
    } cases[] = {
        {"no socket", false, -1, {}, 0},
        {"first read fails", true, 0, {0}, 1},
        {"third read fails", true, 2, {0, 1, 2}, 1},
    };
    for (const auto& c : cases) {
        InfraredRig rig;
        rig.stack->openSucceeds = c.opens;
        rig.stack->failingRead = c.failingRead;
        rig.stack->lists = {{}, {}, {{1, "Late"}}};
        EXPECT_EQ(rig.Lookup(), nullptr) << c.what;
        EXPECT_EQ(rig.progress, c.progress) << c.what;
        EXPECT_EQ(rig.stack->closeCount, c.closes) << c.what;
        EXPECT_EQ(rig.finder->irdaSocket, InfraredStack::invalidSocket) << c.what;
    }
}

TEST(InfraredFinder, EachLookupReadsAFreshList) {
    InfraredRig rig;
    rig.stack->lists = {{{1, "One"}, {2, "Two"}}};
    ASSERT_NE(rig.Lookup(), nullptr);
    rig.stack->lists = {{{3, "Three"}}};
    EXPECT_EQ(rig.Names(rig.Lookup()), std::vector<std::string>{"Three"});
    EXPECT_EQ(rig.stack->openCount, 2);
    EXPECT_EQ(rig.stack->closeCount, 2);
}

TEST(InfraredDeviceList, ACountBeyondTheBufferIsReadAsTheEightThatFit) {
    uint8_t list[infraredListBytes] = {};
    const struct {
        uint32_t stored;
        uint32_t read;
    } cases[] = {{0, 0}, {1, 1}, {8, 8}, {9, 8}, {0xFFFFFFFFu, 8}};
    for (const auto& c : cases) {
        std::memcpy(list, &c.stored, 4);
        EXPECT_EQ(InfraredDeviceCount(list), c.read) << c.stored;
    }
}

TEST(IrdaStack, AKernelWithoutInfraredFindsNothingAtOnce) {
    InfraredFinder finder;
    std::vector<int32_t> progress;
    EXPECT_EQ(finder.Lookup(RecordInfraredProgress, &progress), nullptr);
    EXPECT_TRUE(progress.empty());
}

} // namespace
