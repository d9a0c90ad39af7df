#include "BluetoothMockBuses.h"

#include <chrono>
#include <thread>

namespace twtest {

bool StartBlueZ(DBusMock& mock, Adapter adapter) {
    if (!mock.Start(DBusMock::Bus::System, "bluez5", "org.bluez")) {
        return false;
    }
    return adapter == Adapter::None ||
           (mock.Call("/org/bluez", "org.bluez.Mock", "AddAdapter", "('hci0', 'Desk')") &&
            (adapter == Adapter::On ||
             mock.Call(mockAdapterPath, "org.freedesktop.DBus.Mock", "UpdateProperties",
                       "('org.bluez.Adapter1', {'Powered': <false>})")));
}

bool StartObex(DBusMock& mock, const std::string& outcome, const std::string& received) {
    return mock.Start(DBusMock::Bus::Session, TW_OBEX_MOCK_TEMPLATE, "org.bluez.obex",
                      "{\"outcome\": \"" + outcome + "\", \"received\": \"" + received + "\"}");
}

bool StartDyingObex(DBusMock& mock) {
    return mock.StartBus(DBusMock::Bus::Session, TW_OBEX_DIES_CONFIG);
}

bool AdapterDiscovers(DBusMock& mock) {
    std::string reply;
    return mock.Call(mockAdapterPath, "org.freedesktop.DBus.Properties", "Get",
                     "('org.bluez.Adapter1', 'Discovering')", &reply) &&
           reply == "(<true>,)";
}

bool WaitUntilDiscovering(DBusMock& mock) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!AdapterDiscovers(mock)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool EndDiscovery(DBusMock& mock) {
    return mock.Call(mockAdapterPath, "org.freedesktop.DBus.Mock", "UpdateProperties",
                     "('org.bluez.Adapter1', {'Discovering': <false>})");
}

} // namespace twtest
