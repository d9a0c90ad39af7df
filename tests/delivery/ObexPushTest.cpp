// The OBEX push against a mock of obexd (a python3-dbusmock template of our own) on a private
// session bus: a completed push, a refusal, a cancel, no obexd, no bus (an unreachable phone is
// among the Bluetooth reasons); and the push's own rules over a scripted client.
#include "BluetoothMockBuses.h"
#include "TempDir.h"

#include "delivery/ObexPush.h"
#include "platform/fake/ScriptedObexClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

namespace {

using twtest::DBusMock;

constexpr const char* phone = "00:11:22:33:44:55";

// Runs the main context until the push has finished; false after a generous minute.
bool RunUntilFinished(ObexPush& push) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!push.Finished() && std::chrono::steady_clock::now() < limit) {
        ObexPush::Iterate(false);
    }
    return push.Finished();
}

std::string Contents(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ObexPushTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(file) << std::string(1000, 'x'); }
    bool StartMock(const std::string& outcome) {
        const bool started = twtest::StartObex(mock, outcome, received);
        EXPECT_TRUE(started) << mock.Error();
        return started;
    }

    twtest::TempDir dir;
    const std::string file = dir.File("Song ringtone.mp3");
    const std::string received = dir.File("received.txt");
    DBusMock mock;
};

TEST_F(ObexPushTest, CompletedPushesReachThePhoneUnderTheFilesName) {
    for (const char* outcome : {"complete", "quick"}) {
        ASSERT_TRUE(StartMock(outcome));
        ObexPush push;
        ASSERT_TRUE(push.Start(phone, file));
        ASSERT_TRUE(RunUntilFinished(push)) << outcome;
        EXPECT_EQ(push.Current().error, DeliveryError::None) << outcome;
        EXPECT_EQ(push.Current().transferred, 1000u) << outcome;
        EXPECT_EQ(push.Current().size, 1000u) << outcome;
        mock.Stop();
    }
    EXPECT_EQ(Contents(received), std::string("Song ringtone.mp3 1000 ") + phone + "\n" +
                                      "Song ringtone.mp3 1000 " + phone + "\n");
}

TEST_F(ObexPushTest, ARefusalEndsWithItsReasonAndSendsNothing) {
    ASSERT_TRUE(StartMock("refuse"));
    ObexPush push;
    ASSERT_TRUE(push.Start(phone, file));
    ASSERT_TRUE(RunUntilFinished(push));
    EXPECT_EQ(push.Current().error, DeliveryError::Refused);
    EXPECT_EQ(Contents(received), "");
}

TEST_F(ObexPushTest, AFileObexdCantOpenIsNotSent) {
    ASSERT_TRUE(StartMock("complete"));
    ObexPush push;
    ASSERT_TRUE(push.Start(phone, "relative/path.mp3"));
    ASSERT_TRUE(RunUntilFinished(push));
    EXPECT_EQ(push.Current().error, DeliveryError::Refused);
    // obexd's own words, without the name of its D-Bus error.
    EXPECT_EQ(push.Current().detail, "unable to open file");
}

TEST_F(ObexPushTest, CancelStopsATransferUnderWay) {
    ASSERT_TRUE(StartMock("hold"));
    ObexPush push;
    ASSERT_TRUE(push.Start(phone, file));
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (push.Current().transferred == 0 && std::chrono::steady_clock::now() < limit) {
        ObexPush::Iterate(false);
    }
    EXPECT_EQ(push.Current().stage, ObexPush::Stage::Sending);
    push.Cancel();
    ASSERT_TRUE(RunUntilFinished(push));
    EXPECT_EQ(push.Current().error, DeliveryError::Cancelled);
    EXPECT_EQ(Contents(received), "");
}

TEST_F(ObexPushTest, CancelBeforeTheSessionExistsAbandonsIt) {
    ASSERT_TRUE(StartMock("complete"));
    ObexPush push;
    ASSERT_TRUE(push.Start(phone, file));
    push.Cancel();
    ASSERT_TRUE(RunUntilFinished(push));
    EXPECT_EQ(push.Current().error, DeliveryError::Cancelled);
}

TEST_F(ObexPushTest, NoObexdOrNoBusSaysTheServiceIsMissing) {
    {
        ASSERT_TRUE(mock.StartBus(DBusMock::Bus::Session)) << mock.Error();
        ObexPush push;
        ASSERT_TRUE(push.Start(phone, file));
        ASSERT_TRUE(RunUntilFinished(push));
        EXPECT_EQ(push.Current().error, DeliveryError::NoObexService);
        mock.Stop();
    }
    mock.ExportMissingBus(DBusMock::Bus::Session);
    ObexPush push;
    EXPECT_FALSE(push.Start(phone, file));
    EXPECT_TRUE(push.Finished());
    EXPECT_EQ(push.Current().error, DeliveryError::NoObexService);
}

// The computer's side is asked only when obexd failed without the phone's word, and a cancel
// outweighs the failure it caused.
TEST(ObexPush, ReasonsFromTheClientsOutcome) {
    using R = BluetoothReadiness;
    const struct {
        ObexOutcome outcome;
        R readiness;
        bool cancel;
        DeliveryError error;
    } cases[] = {
        {ObexOutcome::Sent, R::NoAdapter, false, DeliveryError::None},
        {ObexOutcome::Refused, R::AdapterOff, false, DeliveryError::Refused},
        {ObexOutcome::ServiceFailed, R::Ready, false, DeliveryError::ObexServiceFailed},
        {ObexOutcome::ServiceFailed, R::NoBluetoothService, false,
         DeliveryError::NoBluetoothService},
        {ObexOutcome::Refused, R::Ready, true, DeliveryError::Cancelled},
    };
    for (const auto& c : cases) {
        auto client = std::make_unique<ScriptedObexClient>();
        client->outcome = c.outcome;
        client->readiness = c.readiness;
        ObexPush push(std::move(client));
        ASSERT_TRUE(push.Start(phone, "/tmp/a.mp3"));
        if (c.cancel) {
            push.Cancel();
        }
        while (!push.Finished()) {
        }
        EXPECT_EQ(push.Current().error, c.error) << static_cast<int>(c.outcome);
    }
}

TEST(ObexPush, AcceptsOnlyBluetoothAddresses) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {{"00:11:22:33:44:55", true},
                 {"aa:BB:cc:DD:ee:FF", true},
                 {"00:11:22:33:44", false},
                 {"00-11-22-33-44-55", false},
                 {"00:11:22:33:44:5G", false},
                 {"00:11:22:33:44:55:", false},
                 {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(ObexPush::IsBluetoothAddress(c.text), c.valid) << c.text;
    }
}

} // namespace
