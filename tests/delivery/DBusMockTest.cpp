// The private-bus helper that every D-Bus test of the delivery builds on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DBusMock.h"

namespace {

using twtest::DBusMock;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "<unset>";
}

TEST(DBusMock, ExportsThePrivateBusAsTheChosenBusAndRestoresItAfterwards) {
    const struct {
        DBusMock::Bus bus;
        const char* variable;
    } cases[] = {{DBusMock::Bus::System, "DBUS_SYSTEM_BUS_ADDRESS"},
                 {DBusMock::Bus::Session, "DBUS_SESSION_BUS_ADDRESS"}};
    for (const auto& c : cases) {
        const std::string before = Variable(c.variable);
        {
            DBusMock mock;
            ASSERT_TRUE(mock.StartBus(c.bus)) << mock.Error();
            EXPECT_FALSE(mock.Address().empty());
            EXPECT_EQ(Variable(c.variable), mock.Address());
        }
        EXPECT_EQ(Variable(c.variable), before);
    }
}

TEST(DBusMock, RunsATemplateWhoseMethodsTheTestCalls) {
    DBusMock mock;
    ASSERT_TRUE(mock.Start(DBusMock::Bus::System, "bluez5", "org.bluez")) << mock.Error();
    std::string reply;
    ASSERT_TRUE(mock.Call("/org/bluez", "org.bluez.Mock", "AddAdapter", "('hci0', 'Desk')", &reply))
        << mock.Error();
    EXPECT_EQ(reply, "('/org/bluez/hci0',)");
    EXPECT_FALSE(mock.Call("/org/bluez", "org.bluez.Mock", "NoSuchMethod"));
    EXPECT_FALSE(mock.Error().empty());
}

TEST(DBusMock, StoppingTheMockKeepsTheBusButRemovesTheService) {
    DBusMock mock;
    ASSERT_TRUE(mock.Start(DBusMock::Bus::Session, "bluez5", "org.bluez")) << mock.Error();
    mock.StopMock();
    std::string owned;
    ASSERT_TRUE(mock.Call("/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                          "('org.bluez',)", &owned));
    EXPECT_EQ(owned, "(false,)");
}

TEST(DBusMock, AMissingBusIsExportedAsAnAddressNobodyListensOn) {
    const std::string before = Variable("DBUS_SYSTEM_BUS_ADDRESS");
    {
        DBusMock mock;
        mock.ExportMissingBus(DBusMock::Bus::System);
        EXPECT_NE(Variable("DBUS_SYSTEM_BUS_ADDRESS"), before);
        EXPECT_EQ(mock.Connection(), nullptr);
    }
    EXPECT_EQ(Variable("DBUS_SYSTEM_BUS_ADDRESS"), before);
}

} // namespace
